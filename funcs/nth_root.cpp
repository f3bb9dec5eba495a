#include "funcs/nth_root.h"

#include <algorithm>
#include <vector>

#include "funcs/cancellation.h"
#include "bignum/digit_span.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "funcs/int_division.h"
#include "funcs/power.h"
#include "bignum/sign.h"
#include "funcs/square_root.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

namespace {

// Whether the integer y is odd, read from its units digit: y / 2 at the
// working precision would cut off the .5 of an odd y with all digits kept.
bool isOddInteger(const BigNum& y)
{
    BigNum holder;
    const DigitSpan s = digitSpanOf(y, holder);
    if (s.isZero() || s.high < 0 || s.low() > 0)
        return false;
    return s.digits[s.high] % 2 == 1;
}

bool isPlusOne(const BigNum& x) { return x.isPositive() && myCompareAbs(x, bigOne) == 0; }

// Decimal digits of |v|.
int64_t digitCount(int64_t v)
{
    int64_t n = 1;
    for (v = v < 0 ? -v : v; v >= 10; v /= 10)
        ++n;
    return n;
}

} // namespace

BigNum myYroot(const BigNum& y, const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    const bool fractionalIndex = hasFractionalPart(y);
    if (fractionalIndex && isNegative(x))
        return reportError("对不起，因为指数是小数，被开方数不能为负", MessageStyle::Plain);
    if (myCompareAbs(y, bigZero) == 0)
        return reportError("对不起，你给的数值超出了正常值范围,开方数不能为零", MessageStyle::Plain);
    // An even root of a negative number is not real: yroot(2, -4) is refused
    // as the square root of -4 is, not answered with the root of 4.
    const bool oddIndex = !fractionalIndex && isOddInteger(y);
    if (!fractionalIndex && !oddIndex && isNegative(x))
        return reportError(kNegativeRadicandMessage, MessageStyle::Plain);

    const BigNum ax = magnitude(x);
    BigNum magnitude;
    if (myCompareAbs(ax, bigOne) == 0) {
        magnitude = bigOne;
    } else if (myCompareAbs(ax, bigZero) == 0) {
        magnitude = bigZero;
    } else if (isPlusOne(y)) {
        magnitude = ax;
    } else {
        // x^(1/y) = e^(ln x / y): the cut of 1/y to the kept digits is
        // multiplied by ln x, whose integer digits (about those of x's
        // exponent) it would cost; they are carried as guard digits.
        RaisedWorkPrecision raised(digitCount(leadingPower(ax)) + 1);
        magnitude = myPower(ax, myDiv(bigOne, y));
    }
    if (errorFlag == -1)
        return BigNum{};

    BigNum r = cutToWorkPrecision(magnitude);
    // An odd integer index keeps the sign of x.
    if (oddIndex && isNegative(x) && !isZero(r))
        r.positive = kFalse;
    return r;
}

BigNum myCubeRoot(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    const bool negative = isNegative(x);
    BigNum ax = qslqwl(myRegroup(magnitude(x), 1));
    if (errorFlag == -1)
        return BigNum{};
    WorkPrecisionGuard precision;
    const int32_t p = precision.entry();

    BigNum y;
    if (myCompareAbs(ax, bigZero) == 0) {
        y = bigZero;
    } else if (myCompareAbs(ax, bigOne) == 0) {
        y = bigOne;
    } else {
        // |x| below one is scaled by 1000^k into [1, 1000); the root is then
        // 10^k times too large.
        const int64_t lead = leadingPower(ax);
        const int64_t k = lead < 0 ? (-lead + 2) / 3 : 0;
        ax.exponent = static_cast<int32_t>(ax.exponent + 3 * k);

        precision.setTo(int64_t{ax.limbCount} + kRootSeedDigits);
        y = myTruncSig(myRootDigits(bigThree, ax), kRootSeedDigits);
        precision.restore();

        // Each step squares the relative error. The seed, cut to 20 digits,
        // is only sure of 19 (its error is below 10^-19), so the steps are
        // counted from 19 doubling digits until they cover all p + 4 kept
        // digits: counting from 20 leaves the last ~230 of 10,009 digits wrong.
        int32_t steps = 1;
        for (int64_t s = 2 * (kRootSeedDigits - 1); s < static_cast<int64_t>(p) + kGuardDigits + 1; s *= 2)
            ++steps;
        // The first step works at twice the seed's digits, also when the seed
        // ends in zeros (cuberoot of 8.000000000000000000001 starts from 2).
        precision.setTo(std::min(2 * kRootSeedDigits, p));
        for (;;) {
            const BigNum cube = myAdd(myMul(y, bigTwo), myDiv(ax, myMul(y, y)));
            y = myDiv(cube, bigThree);
            if (--steps == 0 || errorFlag == -1)
                break;
            precision.setTo(std::min(2 * workPrecision, p));
        }
        precision.restore();
        if (errorFlag == -1)
            return BigNum{};
        y = myRegroup(y, 1);
        y.exponent = static_cast<int32_t>(y.exponent - k);
    }
    BigNum r = cutToWorkPrecision(y);
    if (negative && !isZero(r))
        r.positive = kFalse;
    return r;
}

BigNum myRootDigits(const BigNum& n, const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    const BigNum nn = qslqwl(myRegroup(n, 1));
    const BigNum xx = qslqwl(myRegroup(x, 1));
    if (errorFlag == -1)
        return BigNum{};
    const DigitSpan nSpan = spanOf(nn);
    const DigitSpan s = spanOf(xx);
    if (nSpan.isZero() || s.isZero() || !xx.isPositive())
        return bigZero;
    const int32_t order = nSpan.digits[0];
    const BigNum bigOrder = bigFromInteger(order);

    // The integers below reach (10^20)^n; they must be held exactly.
    RaisedWorkPrecision raised(
        std::max<int64_t>(0, int64_t{kRootSeedDigits + 2} * order + 2 * kGuardDigits - workPrecision));

    // Below one, x is scaled by 10^n until its integer part is not zero.
    int64_t shifts = 0;
    while (s.high + order * shifts < 0)
        ++shifts;
    // Digits of the scaled x from the point leftwards grouped by n: the
    // integer part padded in front to whole groups.
    const int64_t integerDigits = s.high + order * shifts + 1;
    const int64_t pad = (order - integerDigits % order) % order;
    const int64_t groups = (integerDigits + pad) / order;
    const auto digitAt = [&](int64_t i) -> int32_t {
        const int64_t j = i - pad; // index into the span's digits
        return j >= 0 && j < s.count ? s.digits[j] : 0;
    };
    const auto group = [&](int64_t g) {
        std::vector<int32_t> d(static_cast<size_t>(order) + 1, 0);
        for (int32_t m = 0; m < order; ++m)
            d[static_cast<size_t>(m) + 1] = digitAt(g * order + m);
        return myDigitsToNum(d, order);
    };

    // First root digit: the largest r with r^n <= the first group.
    const BigNum first = group(0);
    int32_t r0 = 0;
    while (r0 < 9 && myCompareAbs(myPower(bigFromInteger(r0 + 1), bigOrder), first) != 2)
        ++r0;
    BigNum r = bigFromInteger(r0);
    BigNum rem = mySub(first, myPower(r, bigOrder));

    const BigNum groupBase = myPower(bigTen, bigOrder);
    for (int32_t g = 1; g < kRootSeedDigits && errorFlag != -1; ++g) {
        rem = myAdd(myMul(rem, groupBase), group(g));
        const BigNum tenR = myMul(r, bigTen);
        const BigNum tenRPower = myPower(tenR, bigOrder);
        const BigNum slope = myMul(bigOrder, myPower(tenR, bigFromInteger(order - 1)));
        const int64_t estimate = integerMagnitudeCapped(myMOD(rem, slope).quotient, 9);
        int32_t d = static_cast<int32_t>(std::min<int64_t>(9, estimate));
        BigNum step = mySub(myPower(myAdd(tenR, bigFromInteger(d)), bigOrder), tenRPower);
        while (d > 0 && myCompareAbs(step, rem) == 2) {
            --d;
            step = mySub(myPower(myAdd(tenR, bigFromInteger(d)), bigOrder), tenRPower);
        }
        rem = mySub(rem, step);
        r = myAdd(tenR, bigFromInteger(d));
    }
    if (errorFlag == -1)
        return BigNum{};
    BigNum result = myToSci(myRegroup(r, 1));
    const int64_t scale = groups - kRootSeedDigits - shifts;
    result.exponent = static_cast<int32_t>(result.exponent + scale);
    return qslqwl(result);
}
