// The reciprocal behind long divisors at high precision: a 1040-digit seed by
// long division, doubled in correct digits by Newton's iteration.
#include <algorithm>

#include "division.h"
#include "globals.h"
#include "long_division.h"

BigNum myEXCEOTds(const BigNum& b)
{
    if (errorFlag == -1)
        return BigNum{};
    BigNum holder;
    DigitSpan sb = digitSpanOf(b, holder);
    if (errorFlag == -1)
        return BigNum{};
    if (sb.isZero())
        return reportError("myEXCEOTds除法子程序中除数为零", MessageStyle::Warning);
    // The seed only needs the divisor's first 1040 digits; Newton's iteration
    // brings in the rest.
    sb.count = std::min(sb.count, kReciprocalSeedDigits);
    static const int32_t one = 1;
    const DigitSpan unit{&one, 1, 0};
    return longDivide(unit, sb, kReciprocalSeedDigits / 4, b.isPositive(), kReciprocalSeedDigits);
}

BigNum myRecipNewton(const BigNum& x0, const BigNum& b)
{
    if (errorFlag == -1)
        return BigNum{};
    const int32_t p = workPrecision;
    // Beyond the supported precisions the cap would cut the last step short
    // of the digits asked for; there it gives way.
    const int32_t cap = std::max(kNewtonMaxPrecision, p + 2 * kGuardDigits);

    // Every product cuts b to workPrecision + 4 digits, at most cap + 4: cut
    // a longer divisor once here instead of in every step.
    BigNum cutB;
    const bool longB = static_cast<int64_t>(b.digitsPerLimb) * b.limbCount > cap + kGuardDigits;
    if (longB)
        cutB = myTruncSig(myRegroup(b, 1), cap + kGuardDigits);
    const BigNum& divisor = longB ? cutB : b;

    BigNum x = x0.digitsPerLimb == 1 ? x0 : myRegroup(x0, 1);
    if (errorFlag == -1)
        return BigNum{};
    // Each step doubles the correct digits, starting from those of x0.
    const int32_t seedDigits = x.limbCount;
    int32_t steps = 1;
    for (int64_t s = 2 * static_cast<int64_t>(seedDigits); s <= p; s *= 2)
        ++steps;

    workPrecision = static_cast<int32_t>(std::min<int64_t>(2 * static_cast<int64_t>(seedDigits) + 24, cap));
    for (;;) {
        x = myMul(x, mySub(bigTwo, myMul(divisor, x)));
        if (--steps == 0 || errorFlag == -1)
            break;
        workPrecision = static_cast<int32_t>(std::min<int64_t>(2 * static_cast<int64_t>(workPrecision), cap));
    }
    workPrecision = p;
    if (errorFlag == -1)
        return BigNum{};
    return myTruncSig(x, p + kGuardDigits);
}
