// Multiplication: the trivial factors, the choice of method by operand size,
// and the schoolbook product in base 10000 for the small operands.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fft_binding.h"
#include "globals.h"
#include "stop_request.h"

namespace {

constexpr int32_t kLimbBase = 10000;

BigNum withSignFlippedIf(const BigNum& x, bool flip)
{
    BigNum r = x;
    if (flip)
        r.positive = r.isPositive() ? kFalse : kTrue;
    return r;
}

} // namespace

BigNum myMul(const BigNum& a, const BigNum& b)
{
    // Every series, root chain and Newton step multiplies: the place to stop.
    if (errorFlag == -1 || stopHere())
        return BigNum{};
    if (myCompareAbs(a, bigZero) == 0 || myCompareAbs(b, bigZero) == 0)
        return bigZero;
    // A factor of magnitude one returns the other operand as it came, uncut.
    if (myCompareAbs(a, bigOne) == 0)
        return withSignFlippedIf(b, !a.isPositive());
    if (myCompareAbs(b, bigOne) == 0)
        return withSignFlippedIf(a, !b.isPositive());
    if (errorFlag == -1)
        return BigNum{};

    const int32_t keep = workPrecision + kGuardDigits;
    const BigNum x = myTruncSig(myRegroup(a, 1), keep);
    const BigNum y = myTruncSig(myRegroup(b, 1), keep);
    if (errorFlag == -1)
        return BigNum{};

    const int32_t na = x.limbCount;
    const int32_t nb = y.limbCount;
    const bool longOperand = na >= kFftMinDigits || nb >= kFftMinDigits;
    const bool bothWorthIt = std::min(na, nb) >= kFftMinShorterDigits;
    if (longOperand && bothWorthIt && static_cast<int64_t>(na) * nb > kFftMinDigitProduct)
        return mulFFTOfCut(x, y);
    return myMulSchoolbook(x, y);
}

BigNum myMulSchoolbook(const BigNum& a, const BigNum& b)
{
    if (errorFlag == -1)
        return BigNum{};
    const BigNum x = myRegroup(qslqwl(a), 4);
    const BigNum y = myRegroup(qslqwl(b), 4);
    if (errorFlag == -1)
        return BigNum{};

    const int32_t ma = x.limbCount;
    const int32_t mb = y.limbCount;
    const int32_t total = ma + mb;

    // Column sums first, carries once at the end: a column gathers at most
    // min(ma, mb) products below 10^8, far inside 64 bits, and the inner loop
    // stays free of divisions. Limb i of y times limb j of x lands in
    // column i + j (1-based limbs, column 1 the most significant).
    std::vector<uint64_t> column(static_cast<size_t>(total) + 1, 0);
    for (int32_t i = 1; i <= mb; ++i) {
        const uint64_t yi = static_cast<uint64_t>(y.limb(i));
        if (yi == 0)
            continue;
        const int32_t* xs = x.limbPtr(1);
        uint64_t* out = column.data() + i + 1;
        for (int32_t j = 0; j < ma; ++j)
            out[j] += yi * static_cast<uint64_t>(xs[j]);
    }

    BigNum r;
    r.positive = (a.isPositive() == b.isPositive()) ? kTrue : kFalse;
    r.digitsPerLimb = 4;
    r.limbCount = total;
    r.fracDigits = x.fracDigits + y.fracDigits;
    // Two exponents near the limit would wrap around in 32 bits.
    if (!exponentFits(static_cast<int64_t>(x.exponent) + y.exponent))
        return BigNum{};
    r.exponent = x.exponent + y.exponent;
    r.resizeLimbs(total + 2);
    uint64_t carry = 0;
    for (int32_t k = total; k >= 1; --k) {
        const uint64_t v = column[static_cast<size_t>(k)] + carry;
        r.limb(k) = static_cast<int32_t>(v % kLimbBase);
        carry = v / kLimbBase;
    }
    // The product of an ma-limb and an mb-limb number has at most ma + mb
    // limbs, so nothing is left over.

    return qslqwl(myTruncSig(myRegroup(std::move(r), 1), workPrecision + kGuardDigits));
}
