#include "bignum/limb_square.h"

#include <algorithm>
#include <vector>

#include "bignum/vector_clones.h"

namespace {

constexpr uint64_t kBase8 = 100000000;
// Rows between two carry passes: a column below 10^8 plus 1024 products
// below 10^16 stays inside 64 bits (each row adds one product to a column).
constexpr int32_t kRowsBetweenCarries = 1024;

void carryFrom(uint64_t* column, int32_t from, int32_t count)
{
    uint64_t carry = 0;
    for (int32_t k = from; k < count; ++k) {
        const uint64_t v = column[k] + carry;
        carry = v / kBase8;
        column[k] = v - carry * kBase8;
    }
}

} // namespace

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
            carryFrom(column, from, total);
    }
    for (; i < n; ++i)
        for (int32_t b = i + 1; b < n; ++b)
            column[i + b] += uint64_t{x[i]} * x[b];
    carryFrom(column, from, total);
    // Twice the cells off the diagonal, then the diagonal's squares.
    for (int32_t k = from; k < total; ++k)
        column[k] *= 2;
    for (int32_t a = (from + 1) / 2; a < n; ++a)
        column[2 * a] += uint64_t{x[a]} * x[a];
    carryFrom(column, from, total);
    std::fill(out, out + from, uint32_t{0});
    for (int32_t k = from; k < total; ++k)
        out[k] = static_cast<uint32_t>(column[k]);
}
