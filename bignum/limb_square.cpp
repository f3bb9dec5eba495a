#include "bignum/limb_square.h"

#include <algorithm>
#include <vector>

#include "bignum/limb_product.h"
#include "bignum/vector_clones.h"

QUORRA_VECTOR_CLONES void limbSquareSchoolbookFrom(const uint32_t* x, int32_t n, int32_t from, uint32_t* out,
                                                   uint64_t* column)
{
    const int32_t total = 2 * n;
    std::fill(column, column + total, uint64_t{0});
    // x with three zero limbs on each side, for the four-row loop's ends.
    std::vector<uint32_t> padded(static_cast<size_t>(n) + 6, 0);
    uint32_t* xp = padded.data() + 3;
    for (int32_t k = 0; k < n; ++k)
        xp[k] = x[k];
    // The cells a < b. Cells of columns below `from` may be added as well:
    // those columns are never read.
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        // Next to the diagonal, one by one: row i + r, b < i + 7 - r, the
        // columns from `from` on only.
        for (int32_t r = 0; r < 4; ++r)
            for (int32_t b = std::max(i + r + 1, from - i - r); b < std::min(n, i + 7 - r); ++b)
                column[i + r + b] += uint64_t{x[i + r]} * x[b];
        // The rest four rows at a time: column i + j takes the cells
        // (i + r, j - r), all with j - r > i + r once j >= i + 7.
        const uint64_t y0 = x[i], y1 = x[i + 1], y2 = x[i + 2], y3 = x[i + 3];
        uint64_t* c = column + i;
        for (int32_t j = std::max(i + 7, from - i - 3); j < n + 3; ++j)
            c[j] += y0 * xp[j] + y1 * xp[j - 1] + y2 * xp[j - 2] + y3 * xp[j - 3];
        if ((i + 4) % kRowsBetweenCarries == 0)
            carryColumnsFrom(column, from, total);
    }
    for (; i < n; ++i)
        for (int32_t b = i + 1; b < n; ++b)
            column[i + b] += uint64_t{x[i]} * x[b];
    carryColumnsFrom(column, from, total);
    // Twice the cells off the diagonal, then the diagonal's squares.
    for (int32_t k = from; k < total; ++k)
        column[k] *= 2;
    for (int32_t a = (from + 1) / 2; a < n; ++a)
        column[2 * a] += uint64_t{x[a]} * x[a];
    carryColumnsFrom(column, from, total);
    std::fill(out, out + from, uint32_t{0});
    for (int32_t k = from; k < total; ++k)
        out[k] = static_cast<uint32_t>(column[k]);
}
