#include "funcs/inverse_trig.h"

#include <algorithm>
#include <array>
#include <string>

#include "funcs/constants.h"
#include "bignum/digit_span.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/power.h"
#include "bignum/sign.h"
#include "funcs/square_root.h"
#include "funcs/work_precision_guard.h"

namespace {

constexpr int32_t kAtanLevels = 5;

// 10^-j.
BigNum threshold(int32_t j) { return makeFromDigits({1, 0}, 1, -j, true); }

// The first `digits` digits of the stored arctangent of 10^-(k-1), k = 1..5.
BigNum storedArctangent(int32_t k, int32_t digits)
{
    BigNum c;
    c.positive = kTrue;
    c.digitsPerLimb = 1;
    c.limbCount = digits;
    c.fracDigits = digits - 1;
    c.exponent = 0;
    c.store.assign(static_cast<size_t>(digits) + 4, 0);
    const int32_t first = kTableDigits * (k - 1);
    for (int32_t i = 1; i <= digits; ++i)
        c.limb(i) = atanDigit(first + i);
    return c;
}

// The arctangent reads `digits` digits of each of the five constants: within
// the 11,000 each holds, and all present in the table file.
bool atanTableHolds(int32_t digits)
{
    if (digits > kTableDigits) {
        reportError("反正切表的每个常数只有" + std::to_string(kTableDigits) + "位，不够本次计算所需的" +
                        std::to_string(digits) + "位",
                    MessageStyle::Plain);
        return false;
    }
    return requireTableDigits(DigitTableId::Atan, kTableDigits * (kAtanLevels - 1) + digits);
}

// 1 - x² for 0 < |x| < 1. Next to ±1 the difference cancels as many digits
// as |x| has leading nines, so x² and the difference are formed exactly
// (2L + 2 digits for an x of L digits), from every digit x has: there the
// result hangs on digits of x far beyond the working precision (asin of
// 1 - 1.3e-48 is not asin of 1 - 1e-45). Further from ±1 nothing cancels
// and the working precision would do as well.
BigNum oneMinusSquare(const BigNum& x)
{
    WorkPrecisionGuard precision;
    const int32_t saved = precision.entry();
    const BigNum xs = myToSci(myRegroup(x, 1));
    const int32_t digits = spanOf(xs).count;
    precision.setTo(std::max(saved, 2 * digits + 2));
    const BigNum d = mySub(bigOne, myPower(xs, bigTwo));
    precision.restore();
    return errorFlag == -1 ? BigNum{} : myTruncSig(d, saved + kGuardDigits);
}

BigNum rangeError() { return reportError("对不起，你给的数值超出了正常值范围", MessageStyle::Plain); }

} // namespace

BigNum myAtan(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isZero(x))
        return bigZero;
    const bool negative = !x.isPositive();
    BigNum y = magnitude(x);

    WorkPrecisionGuard precision;
    const int32_t digits = precision.entry() + kAtanGuardDigits;
    if (!atanTableHolds(digits))
        return BigNum{};
    precision.setTo(digits);

    // atan y = atan c + atan((y - c) / (1 + y·c)): take off the stored
    // arctangent of c = 10^-(d-1) while y exceeds c, for d = 1..5. Each level
    // repeats at most about ten times; afterwards 0 <= y <= 10^-4.
    BigNum angle = bigZero;
    for (int32_t d = 1; d <= kAtanLevels && errorFlag == 0;) {
        const BigNum c = threshold(d - 1);
        if (myCompareAbs(y, c) != 2) {
            ++d;
            continue;
        }
        const BigNum stored = storedArctangent(d, digits);
        do {
            y = myDiv(mySub(y, c), myAdd(bigOne, myMul(y, c)));
            angle = myAdd(angle, stored);
        } while (errorFlag == 0 && myCompareAbs(y, c) == 2);
    }
    BigNum result = myAdd(myAtanSeries(y), angle);

    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    if (negative)
        result.positive = kFalse;
    return result;
}

BigNum myAsin(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isZero(x))
        return bigZero;
    const int16_t order = myCompareAbs(x, bigOne);
    if (order == 2)
        return rangeError();
    if (order == 0) {
        const BigNum halfPi = myDiv(tableConstant(DigitTableId::Pi, workPrecision), bigTwo);
        return x.isPositive() ? halfPi : negated(halfPi);
    }
    return myAtan(myDiv(x, mySqrt(oneMinusSquare(x))));
}

BigNum myAcos(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    WorkPrecisionGuard precision;
    precision.raiseBy(kPiExtraDigits);
    const BigNum pi = tableConstant(DigitTableId::Pi, workPrecision);
    const int16_t order = myCompareAbs(x, bigOne);
    BigNum result;
    if (order == 2) {
        precision.restore();
        return rangeError();
    }
    if (order == 0)
        result = x.isPositive() ? bigZero : pi;
    else if (isZero(x))
        result = myDiv(pi, bigTwo);
    else {
        const BigNum a = myAtan(myDiv(mySqrt(oneMinusSquare(x)), magnitude(x)));
        result = x.isPositive() ? a : mySub(pi, a);
    }
    precision.restore();
    return errorFlag == -1 ? BigNum{} : result;
}

BigNum myAcot(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    WorkPrecisionGuard precision;
    const int32_t p = precision.entry();
    precision.raiseBy(kPiExtraDigits);
    const BigNum pi = tableConstant(DigitTableId::Pi, workPrecision);
    BigNum result;
    if (isZero(x))
        result = myDiv(pi, bigTwo);
    else {
        result = myAtan(myDiv(bigOne, magnitude(x)));
        if (!x.isPositive())
            result = mySub(pi, result);
    }
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    return myTruncSig(qslqwl(result), p + kGuardDigits);
}
