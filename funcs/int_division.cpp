// Integer quotient and remainder: the quotient is the integer part of a / b at
// the working precision, the remainder a - q * b with the dividend's sign.
#include "int_division.h"

#include <algorithm>

#include "constants.h"
#include "division.h"
#include "globals.h"

namespace {

BigNum withSign(const BigNum& x, bool positive)
{
    BigNum y = x;
    y.positive = positive ? kTrue : kFalse;
    return y;
}

int64_t storedDigits(const BigNum& x) { return static_cast<int64_t>(x.digitsPerLimb) * x.limbCount; }

BigNum cut(const BigNum& x) { return myTruncSig(qslqwl(myRegroup(x, 1)), workPrecision + kGuardDigits); }

} // namespace

QuotRem myMOD(const BigNum& a, const BigNum& b)
{
    if (errorFlag == -1)
        return QuotRem{};
    if (isZero(b)) {
        reportError("myMOD除法子程序中除数为零", MessageStyle::Warning);
        return QuotRem{};
    }
    if (isZero(a))
        return QuotRem{bigZero, bigZero};
    const bool sameSign = a.isPositive() == b.isPositive();
    switch (myCompareAbs(a, b)) {
    case 0: return QuotRem{bigZero, sameSign ? bigOne : bigMinusOne};
    case 1: return QuotRem{cut(a), bigZero};
    default: break;
    }

    BigNum q = myInt(myDiv(a, b));
    q.positive = kTrue;
    // The product and the difference are formed exactly, so the remainder is
    // right whenever the quotient is, also for operands longer than the
    // working precision; it is cut like every result afterwards.
    const int32_t saved = workPrecision;
    workPrecision = static_cast<int32_t>(std::min<int64_t>(
        storedDigits(a) + storedDigits(b) + storedDigits(q) + kGuardDigits, INT32_MAX / 2));
    const BigNum product = withSign(myMul(q, b), true);
    BigNum r = mySub(withSign(a, true), product);
    workPrecision = saved;
    if (errorFlag == -1)
        return QuotRem{};
    // Zero carries no sign: (-6) mod 3 is 0, not -0.
    r.positive = (a.isPositive() || isZero(r)) ? kTrue : kFalse;
    q.positive = sameSign ? kTrue : kFalse;
    return QuotRem{cut(r), cut(q)};
}

BigNum myDigitsToNum(const std::vector<int32_t>& digits, int32_t n)
{
    if (errorFlag == -1)
        return BigNum{};
    // digits[0] is unused; never read past the array whatever n says.
    n = std::clamp<int32_t>(n, 0, std::max<int32_t>(static_cast<int32_t>(digits.size()) - 1, 0));
    if (n == 0)
        return makeFromDigits({0, 0}, 1, 0, true);
    BigNum x;
    x.positive = kTrue;
    x.digitsPerLimb = 1;
    x.limbCount = n + 1;
    x.fracDigits = 1;
    x.exponent = 0;
    x.store.assign(static_cast<size_t>(n) + 5, 0);
    for (int32_t i = 1; i <= n; ++i)
        x.limb(i) = digits[static_cast<size_t>(i)];
    return x;
}
