// Addition, subtraction and comparison of signed values. The result is the
// exact sum or difference truncated to workPrecision + 4 significant digits.
#include <algorithm>
#include <optional>
#include <vector>

#include "bignum/digit_span.h"
#include "bignum/kept_window.h"
#include "bignum/globals.h"
#include "bignum/sign.h"

namespace {

// A small operand that lies wholly below the larger one's last digit and below
// the kept digits only matters through its sign: moving it up to just under
// both changes no kept digit of the result, and keeps the work proportional to
// the digits kept instead of to the exponent gap.
DigitSpan pullUpTinyOperand(const DigitSpan& big, DigitSpan small)
{
    const int64_t ceiling = std::min(big.low(), big.high - keptDigits() - 1) - 2;
    if (!small.isZero() && small.high < ceiling)
        small.high = ceiling;
    return small;
}

// Places the span's digits in r, where r[0] has the weight 10^top.
void place(std::vector<int32_t>& r, const DigitSpan& s, int64_t top)
{
    std::copy(s.digits, s.digits + s.count, r.begin() + (top - s.high));
}

// |big| - |small| with the given sign; |big| > |small| > 0, formed over the
// full aligned width. Only for differences whose leading digits cancel deeper
// than the kept window reaches.
BigNum subtractAligned(const DigitSpan& big, const DigitSpan& rawSmall, bool positive)
{
    const DigitSpan small = pullUpTinyOperand(big, rawSmall);
    const int64_t top = big.high;
    const int64_t bottom = std::min(big.low(), small.low());
    std::vector<int32_t> r(static_cast<size_t>(top - bottom + 1), 0);
    place(r, big, top);
    const int64_t offset = top - small.high;
    int32_t borrow = 0;
    for (int64_t i = offset + small.count - 1; i >= offset; --i) {
        int32_t d = r[i] - small.digits[i - offset] - borrow;
        borrow = d < 0;
        r[i] = borrow ? d + 10 : d;
    }
    for (int64_t i = offset - 1; borrow && i >= 0; --i) {
        int32_t d = r[i] - 1;
        borrow = d < 0;
        r[i] = borrow ? d + 10 : d;
    }
    return sciFromDigits(r.data(), static_cast<int64_t>(r.size()), top, positive, keptDigits());
}

BigNum subtractMagnitudes(const DigitSpan& big, const DigitSpan& small, bool positive)
{
    std::optional<BigNum> r = keptDifference(big, small, positive, keptDigits());
    return r ? std::move(*r) : subtractAligned(big, small, positive);
}

} // namespace

bool isZero(const BigNum& x)
{
    for (int32_t j = 1; j <= x.limbCount; ++j)
        if (x.limb(j) != 0)
            return false;
    return true;
}

int16_t myCompareAbs(const BigNum& a, const BigNum& b)
{
    if (errorFlag == -1)
        return 0;
    BigNum xHolder, yHolder;
    const DigitSpan sa = digitSpanOf(a, xHolder);
    const DigitSpan sb = digitSpanOf(b, yHolder);
    if (errorFlag == -1)
        return 0;
    return compareSpans(sa, sb);
}

namespace {

// a + b where aPositive and bPositive are the signs the operands count with
// (mySub passes b's sign inverted), so no operand is copied to flip a sign.
// Zero operands come back as they are, uncut.
BigNum combine(const BigNum& a, bool aPositive, const BigNum& b, bool bPositive)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isZero(a))
        return withSign(b, bPositive);
    if (isZero(b))
        return withSign(a, aPositive);
    BigNum xHolder, yHolder;
    const DigitSpan sa = digitSpanOf(a, xHolder);
    const DigitSpan sb = digitSpanOf(b, yHolder);
    if (errorFlag == -1)
        return BigNum{};
    if (aPositive == bPositive)
        return keptSum(sa, sb, aPositive, keptDigits());
    switch (compareSpans(sa, sb)) {
    case 0: return bigZero;
    case 2: return subtractMagnitudes(sa, sb, aPositive);
    default: return subtractMagnitudes(sb, sa, bPositive);
    }
}

} // namespace

BigNum myAdd(const BigNum& a, const BigNum& b) { return combine(a, a.isPositive(), b, b.isPositive()); }

BigNum mySub(const BigNum& a, const BigNum& b) { return combine(a, a.isPositive(), b, !b.isPositive()); }
