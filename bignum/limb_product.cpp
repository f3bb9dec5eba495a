#include "bignum/limb_product.h"

#include <algorithm>
#include <memory>

#include "bignum/karatsuba_product.h"
#include "bignum/limb_digits.h"
#include "bignum/limb_square.h"
#include "bignum/thresholds.h"
#include "bignum/vector_clones.h"

namespace {

constexpr uint64_t kBase8 = 100000000;

} // namespace

QUORRA_VECTOR_CLONES void limbProductSchoolbook(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny,
                                                uint32_t* out, uint64_t* column)
{
    if (nx < ny) {
        std::swap(x, y);
        std::swap(nx, ny);
    }
    const int32_t total = nx + ny;
    std::fill(column, column + total, uint64_t{0});
    int32_t i = 0;
    // Four rows at a time: each column sum is loaded and stored once for four
    // products, and the loop over the longer operand vectorises (four 64-bit
    // lanes in the AVX2 build, two on the SSE2 baseline).
    for (; i + 4 <= ny; i += 4) {
        const uint64_t y0 = y[i], y1 = y[i + 1], y2 = y[i + 2], y3 = y[i + 3];
        if ((y0 | y1 | y2 | y3) != 0) {
            uint64_t* c = column + i;
            c[0] += y0 * x[0];
            c[1] += y0 * x[1] + y1 * x[0];
            c[2] += y0 * x[2] + y1 * x[1] + y2 * x[0];
            for (int32_t j = 3; j < nx; ++j)
                c[j] += y0 * x[j] + y1 * x[j - 1] + y2 * x[j - 2] + y3 * x[j - 3];
            c[nx] += y1 * x[nx - 1] + y2 * x[nx - 2] + y3 * x[nx - 3];
            c[nx + 1] += y2 * x[nx - 1] + y3 * x[nx - 2];
            c[nx + 2] += y3 * x[nx - 1];
        }
        if ((i + 4) % kRowsBetweenCarries == 0)
            carryColumnsFrom(column, 0, total);
    }
    for (; i < ny; ++i) {
        const uint64_t yi = y[i];
        uint64_t* c = column + i;
        for (int32_t j = 0; j < nx; ++j)
            c[j] += yi * x[j];
    }
    // The last carry pass writes the limbs out as it goes.
    uint64_t carry = 0;
    for (int32_t k = 0; k < total; ++k) {
        const uint64_t v = column[k] + carry;
        carry = v / kBase8;
        out[k] = static_cast<uint32_t>(v - carry * kBase8);
    }
}

void limbProductSchoolbook(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out)
{
    // The column sums are cleared by the product itself.
    const auto column = std::make_unique_for_overwrite<uint64_t[]>(static_cast<size_t>(nx + ny));
    limbProductSchoolbook(x, nx, y, ny, out, column.get());
}

void limbProductExact(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, ProductLimbs& out,
                      ExactProduct method)
{
    const int32_t la = (na + 7) / 8;
    const int32_t lb = (nb + 7) / 8;
    // A square (the same digits twice) is converted once; the methods by size
    // square it, the schoolbook alone multiplies it out. Every limb is written
    // by the conversions: no need to clear them first.
    const bool square = a == b && na == nb && method == ExactProduct::BySize;
    const auto operands = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(square ? la : la + lb));
    uint32_t* x = operands.get();
    uint32_t* y = square ? x : x + la;
    digitsToLimbs<8>(a, na, x, la);
    if (!square)
        digitsToLimbs<8>(b, nb, y, lb);
    out.limbs.resize(static_cast<size_t>(la + lb));
    out.digitsPerLimb = 8;
    if (std::min(la, lb) >= kKaratsubaMinLimbs && method == ExactProduct::BySize) {
        limbProductKaratsuba(x, la, y, lb, out.limbs.data());
    } else if (square) {
        std::vector<uint64_t> column(static_cast<size_t>(2 * la));
        limbSquareSchoolbookFrom(x, la, 0, out.limbs.data(), column.data());
    } else {
        limbProductSchoolbook(x, la, y, lb, out.limbs.data());
    }
}

namespace {

// The K digits of v, most significant first.
void limbDigits(uint32_t v, int k, int32_t* out)
{
    for (int m = k - 1; m >= 0; --m) {
        out[m] = static_cast<int32_t>(v % 10);
        v /= 10;
    }
}

} // namespace

BigNum sciFromProductLimbs(const ProductLimbs& p, int64_t low, bool positive, int32_t keep)
{
    const int k = p.digitsPerLimb;
    int32_t top = static_cast<int32_t>(p.limbs.size()) - 1;
    while (top > 0 && p.limbs[static_cast<size_t>(top)] == 0)
        --top;
    int32_t lead[8];
    limbDigits(p.limbs[static_cast<size_t>(top)], k, lead);
    int skip = 0; // zero digits in front of the top limb's first digit
    while (skip < k - 1 && lead[skip] == 0)
        ++skip;
    const int64_t total = static_cast<int64_t>(top) * k + (k - skip);
    const int64_t high = low + total - 1;
    if (!exponentFits(high))
        return BigNum{};
    const int32_t used = static_cast<int32_t>(std::min<int64_t>(std::max(keep, 1), total));

    BigNum x;
    x.positive = positive ? kTrue : kFalse;
    x.digitsPerLimb = 1;
    x.store.assign(static_cast<size_t>(std::max(used, 2)) + 4, 0);
    int32_t* d = x.limbPtr(1);
    int32_t written = std::min(used, k - skip);
    std::copy(lead + skip, lead + skip + written, d);
    // Whole limbs while they fit, then the part of the next one that is kept.
    int32_t i = top - 1;
    const int32_t whole = std::min(i + 1, (used - written) / k);
    digitsFromLimbs(p.limbs.data() + (i + 1 - whole), whole, k, d + written);
    written += whole * k;
    i -= whole;
    for (; i >= 0 && written < used; --i) {
        int32_t part[8];
        limbDigits(p.limbs[static_cast<size_t>(i)], k, part);
        const int32_t n = std::min(k, used - written);
        std::copy(part, part + n, d + written);
        written += n;
    }
    int32_t n = used;
    while (n > 1 && d[n - 1] == 0)
        --n;
    for (int32_t j = n; j < used; ++j)
        d[j] = 0;
    x.limbCount = std::max(n, 2);
    x.fracDigits = x.limbCount - 1;
    x.exponent = static_cast<int32_t>(high);
    return x;
}
