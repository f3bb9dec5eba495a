// The reciprocal behind long divisors at high precision: a 1040-digit seed,
// doubled in correct digits by Newton's iteration.
#include <gmp.h>

#include <algorithm>
#include <vector>

#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/gmp_integer.h"
#include "funcs/long_division.h"
#include "funcs/work_precision_guard.h"

namespace {

BigNum reciprocalSeedDigits(const DigitSpan& b, bool positive)
{
    // The seed is what long division of 1 by the divisor's digits gives with
    // kReciprocalSeedDigits / 4 quotient limbs: trunc(10^e / B) for the
    // divisor's digits B (c of them) and e = kReciprocalSeedDigits - 5 + c,
    // its last digit at 10^(4 - kReciprocalSeedDigits - high). Formed on
    // binary integers it costs a few microseconds instead of the long
    // division's 260 x 260 limb steps.
    const int64_t c = b.count;
    GmpInteger divisor, q;
    gmpFromDigits(divisor.v, b.digits, c);
    static PowerCache tens(10);
    mpz_tdiv_q(q.v, tens.power(kReciprocalSeedDigits - 5 + c), divisor.v);
    const std::vector<int32_t> d = digitsOfGmp(q.v);
    const int64_t n = static_cast<int64_t>(d.size());
    const int64_t last = 4 - kReciprocalSeedDigits - b.high;
    return sciFromDigits(d.data(), n, last + n - 1, positive, kReciprocalSeedDigits);
}

} // namespace

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
    return reciprocalSeedDigits(sb, b.isPositive());
}

BigNum myRecipNewton(const BigNum& x0, const BigNum& b)
{
    if (errorFlag == -1)
        return BigNum{};
    WorkPrecisionGuard precision;
    const int32_t p = precision.entry();
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
    const int32_t seedDigits = x.limbCount;
    if (seedDigits < kNewtonPlannedSeedDigits) {
        // A short x0 (an exact short reciprocal, or a rough guess): each
        // step doubles the digits it has, from those of x0.
        int32_t steps = 1;
        for (int64_t s = 2 * static_cast<int64_t>(seedDigits); s <= p; s *= 2)
            ++steps;
        precision.setTo(std::min<int64_t>(2 * static_cast<int64_t>(seedDigits) + 24, cap));
        for (;;) {
            x = myMul(x, mySub(bigTwo, myMul(divisor, x)));
            if (--steps == 0 || errorFlag == -1)
                break;
            precision.setTo(std::min<int64_t>(2 * static_cast<int64_t>(workPrecision), cap));
        }
    } else {
        // Precisions planned from the last step back: the last works at
        // p + 8; a step at precision P doubles the correct digits it is
        // given, so it needs P / 2 + kNewtonStepMargin of them, which a step
        // before it at that precision provides until x0's own digits (less
        // a few: the seed is the truncated reciprocal of the divisor's
        // first digits) suffice. Doubling up from the seed instead would
        // overshoot: the last step at up to twice the digits asked for.
        std::vector<int64_t> plan{p + 2 * kGuardDigits};
        const int64_t given = static_cast<int64_t>(seedDigits) - kNewtonStepMargin;
        while (plan.back() / 2 + kNewtonStepMargin > given)
            plan.push_back(plan.back() / 2 + kNewtonStepMargin);
        for (auto step = plan.rbegin(); step != plan.rend() && errorFlag != -1; ++step) {
            precision.setTo(*step);
            x = myMul(x, mySub(bigTwo, myMul(divisor, x)));
        }
    }
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    return myTruncSig(x, p + kGuardDigits);
}
