// Integer quotient and remainder: the quotient is the integer part of a / b,
// the remainder a - q * b with the dividend's sign. The quotient is computed
// with all its integer digits, however many more that are than the working
// precision keeps: mod(1e50, 7) must be the remainder of 10^50, not of some
// neighbouring multiple of 7.
#include "funcs/int_division.h"

#include <algorithm>
#include <string>

#include "funcs/cancellation.h"
#include "funcs/constants.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/integer_part.h"
#include "funcs/precision_cut.h"
#include "bignum/sign.h"
#include "funcs/work_precision_guard.h"

namespace {

int64_t storedDigits(const BigNum& x) { return static_cast<int64_t>(x.digitsPerLimb) * x.limbCount; }

// Fraction digits the quotient carries beyond its integer digits, so that its
// integer part is not decided by the last digit of the division.
constexpr int32_t kQuotientFractionDigits = 8;

std::string quotientTooLongText()
{
    return "myMOD除法子程序中商的整数部分超过" + std::to_string(kMaxExactQuotientDigits) + "位";
}

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
    case 1: return QuotRem{cutToWorkPrecision(a), bigZero};
    default: break;
    }

    // |a| < 10^(ha + 1) and |b| >= 10^hb: the quotient has at most
    // ha - hb + 1 integer digits.
    const int64_t quotientDigits = leadingPower(a) - leadingPower(b) + 1;
    if (quotientDigits > kMaxExactQuotientDigits)
        return QuotRem{reportError(quotientTooLongText(), MessageStyle::Warning), BigNum{}};
    BigNum q;
    {
        RaisedWorkPrecision raised(
            std::max<int64_t>(0, quotientDigits + kQuotientFractionDigits - workPrecision));
        q = myInt(myDiv(a, b));
    }
    q.positive = kTrue;
    // The product and the difference are formed exactly, so the remainder is
    // right whenever the quotient is, also for operands longer than the
    // working precision; it is cut like every result afterwards.
    BigNum r;
    {
        RaisedWorkPrecision exact(std::min<int64_t>(
                                      storedDigits(a) + storedDigits(b) + storedDigits(q) + kGuardDigits,
                                      INT32_MAX / 2) -
                                  workPrecision);
        const BigNum absB = withSign(b, true);
        r = mySub(withSign(a, true), myMul(q, absB));
        // The integer part of a quotient that is an integer may come out one
        // below it when the division's last digit falls short; the remainder
        // then reaches |b| and settles it.
        if (errorFlag == 0 && r.isPositive() && myCompareAbs(r, absB) != 1) {
            r = mySub(r, absB);
            q = myAdd(q, bigOne);
        }
    }
    if (errorFlag == -1)
        return QuotRem{};
    // Zero carries no sign: (-6) mod 3 is 0, not -0.
    r.positive = (a.isPositive() || isZero(r)) ? kTrue : kFalse;
    q.positive = sameSign ? kTrue : kFalse;
    return QuotRem{cutToWorkPrecision(r), cutToWorkPrecision(q)};
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
