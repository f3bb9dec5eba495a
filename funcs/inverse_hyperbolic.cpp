// The formulas add or subtract values of very different size or nearly equal
// value, and each such step costs digits: 1 + x for a tiny x keeps only the
// leading digits of x, sqrt(x^2 + 1) - |x| for a large |x| only the digits
// below those it shares with |x|. Every routine here counts that cost from
// the argument's digits and carries as many more guard digits; where an
// argument is so small that the series stops at its first term within the
// kept digits (x^2 below the last one), that term is the answer, which keeps
// the raise bounded.
#include "funcs/inverse_hyperbolic.h"

#include <algorithm>

#include "funcs/cancellation.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "funcs/logarithm.h"
#include "funcs/power.h"
#include "bignum/sign.h"
#include "funcs/square_root.h"
#include "funcs/work_precision_guard.h"

namespace {

// Digits to spare beyond a cancellation's cost, so that the kept digits
// come out whole after the last cut.
constexpr int64_t kCancellationMargin = 16;

// For |x| = 10^-d and d > 0: true when x^2 lies below the last kept digit
// (|x| < 10^(1 - d)), so that odd series such as arsinh x = x - x^3/6 + ...
// are x to the kept digits.
bool onlyFirstTerm(int64_t d, int32_t p)
{
    return d > 0 && 2 * (d - 1) >= static_cast<int64_t>(p) + 2 * kGuardDigits;
}

// ln(x + sqrt(x^2 + 1)) with `extra` guard digits.
BigNum arsinhByFormula(const BigNum& x, int64_t extra)
{
    RaisedWorkPrecision raised(extra);
    BigNum t;
    // Once x^2 dwarfs 1 beyond the carried digits, sqrt(x^2 + 1) is |x| and
    // the sum 2x; taking it so also keeps x^2 inside the exponent range.
    if (leadingPower(x) * 2 > static_cast<int64_t>(workPrecision) + 2 * kGuardDigits && x.isPositive()) {
        t = myAdd(x, x);
    } else {
        t = myPower(x, bigTwo);
        t = myAdd(t, bigOne);
        t = mySqrt(t);
        t = myAdd(t, x);
    }
    return myLn(t);
}

// (ln(1 + y) - ln(1 - y)) / 2 for 0 < |y| < 1, the two sums formed with the
// digits y loses in them.
BigNum halfLogRatio(const BigNum& y)
{
    const int64_t d = std::max<int64_t>(0, -leadingPower(y));
    RaisedWorkPrecision raised(d > 0 ? d + kCancellationMargin : 0);
    const BigNum a = myMul(myLn(myAdd(y, bigOne)), bigHalf);
    const BigNum b = myMul(myLn(mySub(bigOne, y)), bigHalf);
    return mySub(a, b);
}

} // namespace

BigNum myArsinh(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigZero) == 0)
        return bigZero;
    const int32_t p = workPrecision;
    const int64_t k = leadingPower(x);
    if (onlyFirstTerm(-k, p))
        return cutToWorkPrecision(x);

    // Cost of the cancellation: x + sqrt(x^2 + 1) = 1 + x + ... for a small x
    // keeps x only behind the 1; for x = -10^k (k >= 0) the sum is about
    // 1/(2|x|) and loses the 2k digits sqrt(x^2 + 1) shares with |x|.
    int64_t cost = 0;
    if (k < 0)
        cost = -k;
    else if (isNegative(x))
        cost = 2 * k;
    const int64_t extra = std::max<int64_t>(kArsinhGuardDigits, cost + kCancellationMargin);

    BigNum r;
    // ln of that tiny sum needs ln 10 to the raised precision; beyond the
    // table the odd symmetry arsinh(-x) = -arsinh(x) does without the sum.
    if (isNegative(x) && k >= 0 && p + extra + kLnGuardDigits > kTableDigits) {
        const BigNum positiveArsinh = arsinhByFormula(magnitude(x), kArsinhGuardDigits);
        r = withSignZeroPositive(positiveArsinh, !positiveArsinh.isPositive());
    } else {
        r = arsinhByFormula(x, extra);
    }
    return cutToWorkPrecision(r);
}

BigNum myArcosh(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isNegative(x) || myCompareAbs(x, bigOne) == 1)
        return reportError("Arcosh函数输入错误，反双曲余弦函数的定义域为 [1,+∞)", MessageStyle::Plain);

    // For x = 1 + delta the root product is about sqrt(2 delta), so 1 + it
    // shares half of delta's zeros with 1.
    const int32_t p = workPrecision;
    const int64_t depth = depthNearOne(x);
    const int64_t cost = (depth + 1) / 2;
    if (cost > static_cast<int64_t>(p) + 2 * kGuardDigits + 1) {
        // ln(1 + w) = w to the kept digits when w^2 lies below the last one.
        const BigNum w = myMul(mySqrt(myAdd(x, bigOne)), mySqrt(mySub(x, bigOne)));
        return cutToWorkPrecision(w);
    }
    BigNum r;
    {
        RaisedWorkPrecision raised(cost > 0 ? cost + kCancellationMargin : 0);
        const BigNum a = mySqrt(myAdd(x, bigOne));
        const BigNum b = mySqrt(mySub(x, bigOne));
        r = myLn(myAdd(x, myMul(a, b)));
    }
    return cost > 0 ? cutToWorkPrecision(r) : r;
}

BigNum myArtanh(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigOne) != 1)
        return reportError("Artanh函数输入错误，反双曲正切函数的定义域为(-1,1)", MessageStyle::Plain);
    if (myCompareAbs(x, bigZero) == 0)
        return bigZero;
    if (onlyFirstTerm(-leadingPower(x), workPrecision))
        return cutToWorkPrecision(x);
    const int64_t d = -leadingPower(x);
    const BigNum r = halfLogRatio(x);
    return d > 0 ? cutToWorkPrecision(r) : r;
}

BigNum myArcoth(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigOne) != 2)
        return reportError("Arcoth函数输入错误，反双曲余切函数的定义域为(|x|>1)", MessageStyle::Plain);
    // arcoth x = 1/x + 1/(3x^3) + ...
    const int64_t k = leadingPower(x);
    if (onlyFirstTerm(k + 1, workPrecision))
        return myDiv(bigOne, x);

    // Next to |x| = 1, 1 - |1/x| keeps only the digits of 1/x below those it
    // shares with 1: that many more guard digits for the quotient.
    const int64_t depth = depthNearOne(magnitude(x));
    BigNum r;
    {
        RaisedWorkPrecision raised(kArcothGuardDigits + depth);
        const BigNum y = myDiv(bigOne, x);
        r = halfLogRatio(y);
    }
    return cutToWorkPrecision(r);
}
