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
        // Next to the diagonal the cells (i + r, i + s), r < s <= 6 - r, go
        // to column 2i + r + s; xp's zeros stand in past the end. Columns
        // below `from` take a few of them too: they are never read.
        {
            const uint64_t x0 = xp[i], x1 = xp[i + 1], x2 = xp[i + 2], x3 = xp[i + 3], x4 = xp[i + 4],
                           x5 = xp[i + 5], x6 = xp[i + 6];
            uint64_t* d = column + 2 * i;
            d[1] += x0 * x1;
            d[2] += x0 * x2;
            d[3] += x0 * x3 + x1 * x2;
            d[4] += x0 * x4 + x1 * x3;
            d[5] += x0 * x5 + x1 * x4 + x2 * x3;
            d[6] += x0 * x6 + x1 * x5 + x2 * x4;
        }
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
    // A column holds at most n / 2 cells below 10^16 since the last carry
    // pass, if there was one: up to kRowsBetweenCarries limbs it can be
    // doubled and take its diagonal square before any carrying.
    if (n > kRowsBetweenCarries)
        carryColumnsFrom(column, from, total);
    // Twice the cells off the diagonal, the diagonal's squares, the carries.
    std::fill(out, out + from, uint32_t{0});
    uint64_t carry = 0;
    for (int32_t k = from; k < total; ++k) {
        uint64_t v = 2 * column[k] + carry;
        if (k % 2 == 0)
            v += uint64_t{x[k / 2]} * x[k / 2];
        carry = v / kLimbBase8;
        out[k] = static_cast<uint32_t>(v - carry * kLimbBase8);
    }
}
