#include "funcs/trig_reduction.h"

#include <algorithm>
#include <string>

#include "funcs/constants.h"
#include "bignum/digit_span.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "bignum/sign.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

namespace {

// Correct digits the reduced angle must keep beyond the working precision:
// the series and the triple-angle steps that follow lose far fewer.
constexpr int32_t kReducedAngleSlack = 32;

// Power of ten of the leading digit of x (any limb size); zero gives 0 and
// sets `zero`.
int64_t leadingPowerOf(const BigNum& x, bool& zero)
{
    const BigNum regrouped = x.digitsPerLimb == 1 ? BigNum{} : myRegroup(x, 1);
    const DigitSpan s = spanOf(x.digitsPerLimb == 1 ? x : regrouped);
    zero = s.isZero();
    return zero ? 0 : s.high;
}

std::string tableShortText(const char* function, const char* why, int64_t digits)
{
    return std::string(function) + why + "需要π的" + std::to_string(digits) + "位数字，超过了数字表的" +
           std::to_string(kTableDigits) + "位";
}

struct Reduction {
    SineArgument argument;
    bool reduced = false; // a multiple of π/2 was taken off (or added)
};

// One reduction with π to `digits` digits, at that working precision.
Reduction reduceOnce(const BigNum& x, bool addQuarterTurn, int32_t digits)
{
    WorkPrecisionGuard precision;
    precision.setTo(digits);
    Reduction out;
    const BigNum pi = tableConstant(DigitTableId::Pi, digits);
    const BigNum twoPi = myMul(pi, bigTwo);
    const BigNum halfPi = myDiv(pi, bigTwo);
    BigNum r = myMOD(x, twoPi).remainder;
    if (addQuarterTurn)
        r = myAdd(r, halfPi);
    QuotRem split = myMOD(r, pi);
    BigNum t = std::move(split.remainder);
    // sin(t + nπ) = (-1)^n sin t.
    out.argument.negate = integerMagnitudeCapped(split.quotient, 10) % 2 == 1;
    if (errorFlag == 0 && myCompareAbs(t, halfPi) != 1)
        t = mySub(t.isPositive() ? pi : negated(pi), t);
    out.reduced = addQuarterTurn || myCompareAbs(x, halfPi) != 1;
    out.argument.t = std::move(t);
    return out;
}

} // namespace

int64_t integerDigitsOf(const BigNum& x)
{
    bool zero = false;
    const int64_t high = leadingPowerOf(x, zero);
    return zero || high < 0 ? 0 : high + 1;
}

BigNum piForReduction(int64_t digits, const char* function)
{
    if (errorFlag == -1)
        return BigNum{};
    if (digits > kTableDigits)
        return reportError(tableShortText(function, "函数的自变量过大：约简", digits), MessageStyle::Plain);
    return tableConstant(DigitTableId::Pi, static_cast<int32_t>(digits));
}

SineArgument reduceForSine(const BigNum& x, bool addQuarterTurn, int32_t p, int32_t guardDigits,
                           const char* function)
{
    if (errorFlag == -1)
        return SineArgument{};
    const int64_t wanted = int64_t{p} + kReducedAngleSlack;
    const int64_t base = int64_t{p} + guardDigits + integerDigitsOf(x);
    int64_t extra = 0;
    for (;;) {
        const int64_t digits = base + extra;
        if (digits > kTableDigits) {
            const char* why = extra == 0 ? "函数的自变量过大：约简" : "函数的自变量太接近π/2的整数倍：要算准结果";
            reportError(tableShortText(function, why, digits), MessageStyle::Plain);
            return SineArgument{};
        }
        Reduction r = reduceOnce(x, addQuarterTurn, static_cast<int32_t>(digits));
        if (errorFlag == -1)
            return SineArgument{};
        if (!r.reduced)
            return std::move(r.argument);
        // The reduced angle is right to about 10^-(digits - integer digits);
        // its leading zeros come off the digits it keeps.
        bool zero = false;
        const int64_t high = leadingPowerOf(r.argument.t, zero);
        const int64_t lost = zero ? digits : std::max<int64_t>(0, -high);
        const int64_t kept = digits - (base - p - guardDigits) - lost - 1;
        if (kept >= wanted)
            return std::move(r.argument);
        extra += wanted - kept + 2;
    }
}
