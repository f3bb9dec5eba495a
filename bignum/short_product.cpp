#include "bignum/short_product.h"

#include <algorithm>
#include <vector>

#include "bignum/karatsuba_product.h"
#include "bignum/limb_square.h"
#include "bignum/thresholds.h"
#include "bignum/vector_clones.h"

namespace {

constexpr uint64_t kBase8 = 100000000;
// Guard limbs formed below the lowest limb that can hold a kept digit.
constexpr int32_t kGuardLimbs = 2;

// The whole product, by the method an exact product of these lengths takes
// (y == x: a square).
void wholeProduct(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out, uint64_t* column)
{
    if (std::min(nx, ny) >= kKaratsubaMinLimbs)
        limbProductKaratsuba(x, nx, y, ny, out);
    else if (y == x)
        limbSquareSchoolbookFrom(x, nx, 0, out, column);
    else
        limbProductSchoolbook(x, nx, y, ny, out, column);
}

// Below Karatsuba's switch the kept columns are always the cheaper part of
// the schoolbook. Above it they must save enough of the whole product to beat
// Karatsuba's method: two fifths of the cells or more (timed with about half
// the cells left out, see kShortProductMaxLimbs).
bool keptColumnsPay(int32_t nx, int32_t ny, int32_t from)
{
    if (std::min(nx, ny) < kKaratsubaMinLimbs)
        return true;
    int64_t below = 0; // cells of the columns left out
    for (int32_t k = 0; k < from; ++k)
        below += std::min({k + 1, nx, ny, nx + ny - 1 - k});
    return 5 * below >= 2 * int64_t{nx} * ny;
}

} // namespace

QUORRA_VECTOR_CLONES void limbProductSchoolbookFrom(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny,
                                                    int32_t from, uint32_t* out, uint64_t* column)
{
    if (nx < ny) {
        std::swap(x, y);
        std::swap(nx, ny);
    }
    const int32_t total = nx + ny;
    std::fill(column, column + total, uint64_t{0});
    // The longer operand with three zero limbs on each side, so that four
    // rows share one loop without edge cases at either end.
    std::vector<uint32_t> padded(static_cast<size_t>(nx) + 6, 0);
    std::copy(x, x + nx, padded.begin() + 3);
    const uint32_t* xp = padded.data() + 3;
    int32_t i = 0;
    for (; i + 4 <= ny; i += 4) {
        const uint64_t y0 = y[i], y1 = y[i + 1], y2 = y[i + 2], y3 = y[i + 3];
        // Column i + j takes y0 x[j] + y1 x[j-1] + y2 x[j-2] + y3 x[j-3].
        uint64_t* c = column + i;
        for (int32_t j = std::max(0, from - i); j < nx + 3; ++j)
            c[j] += y0 * xp[j] + y1 * xp[j - 1] + y2 * xp[j - 2] + y3 * xp[j - 3];
        if ((i + 4) % kRowsBetweenCarries == 0)
            carryColumnsFrom(column, from, total);
    }
    for (; i < ny; ++i) {
        const uint64_t yi = y[i];
        uint64_t* c = column + i;
        for (int32_t j = std::max(0, from - i); j < nx; ++j)
            c[j] += yi * xp[j];
    }
    carryColumnsFrom(column, from, total);
    std::fill(out, out + from, uint32_t{0});
    for (int32_t k = from; k < total; ++k)
        out[k] = static_cast<uint32_t>(column[k]);
}

void limbProductKept(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, int32_t keep, ProductLimbs& out)
{
    const int32_t la = (na + 7) / 8;
    const int32_t lb = (nb + 7) / 8;
    const int32_t total = la + lb;
    // A square (the same digits twice) is converted once and squared.
    const bool square = a == b && na == nb;
    std::vector<uint32_t> operands(static_cast<size_t>(square ? la : total));
    uint32_t* x = operands.data();
    uint32_t* y = square ? x : x + la;
    digitsToLimbs<8>(a, na, x, la);
    if (!square)
        digitsToLimbs<8>(b, nb, y, lb);
    out.limbs.resize(static_cast<size_t>(total));
    out.digitsPerLimb = 8;
    std::vector<uint64_t> column(static_cast<size_t>(total));

    // The product has at least na + nb - 1 digits, so its first `keep` digits
    // lie at or above the digit of weight 10^(na + nb - 1 - keep).
    const int64_t lowestKept = int64_t{na} + nb - 1 - keep;
    const int64_t from = lowestKept / 8 - kGuardLimbs;
    if (lowestKept < 0 || from < 1) {
        wholeProduct(x, la, y, lb, out.limbs.data(), column.data());
        return;
    }
    const int32_t f = static_cast<int32_t>(from);
    if (!keptColumnsPay(la, lb, f)) {
        wholeProduct(x, la, y, lb, out.limbs.data(), column.data());
        return;
    }
    if (square)
        limbSquareSchoolbookFrom(x, la, f, out.limbs.data(), column.data());
    else
        limbProductSchoolbookFrom(x, la, y, lb, f, out.limbs.data(), column.data());
    // The columns left out, each a sum of at most f products below 10^16 and
    // column k worth 10^(8k), add up to less than f * 10^8 units of limb f:
    // unless that can carry out of the two guard limbs, the limbs above them
    // are those of the whole product.
    const uint64_t guard = uint64_t{out.limbs[static_cast<size_t>(f) + 1]} * kBase8 + out.limbs[static_cast<size_t>(f)];
    if (guard + static_cast<uint64_t>(f) * kBase8 >= kBase8 * kBase8)
        wholeProduct(x, la, y, lb, out.limbs.data(), column.data());
}
