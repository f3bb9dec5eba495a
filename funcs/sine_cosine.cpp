#include "funcs/sine_cosine.h"

#include <array>
#include <cmath>
#include <numbers>

#include "funcs/constants.h"
#include "funcs/division.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "funcs/power.h"
#include "bignum/sign.h"
#include "funcs/sub_function_timer.h"
#include "funcs/trig_reduction.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

namespace {

// Triple-angle steps o and series parameter q by the working precision.
struct SineParameters {
    int32_t upTo;
    int16_t tripleSteps;
    int16_t seriesParameter;
};

constexpr std::array<SineParameters, 14> kSineTable = {{
    {32, 5, 10},
    {125, 10, 20},
    {250, 10, 40},
    {500, 10, 80},
    {1000, 15, 110},
    {2000, 25, 150},
    {3000, 30, 190},
    {4000, 35, 220},
    {5000, 40, 240},
    {6000, 45, 260},
    {7000, 50, 270},
    {8000, 55, 280},
    {9000, 60, 300},
    {INT32_MAX, 65, 335},
}};

SineParameters sineParametersFor(int32_t p)
{
    for (const SineParameters& row : kSineTable)
        if (p <= row.upTo)
            return row;
    return kSineTable.back();
}

int32_t seriesLastPower(int16_t q)
{
    const int32_t q1 = q < 10 ? 10 : q;
    return 2 * (q1 / 2) + 3;
}

// Correct digits of the series to t^K/K! for |t| <= π/(2·3^o): the first term
// left out, t^(K+2)/(K+2)!, relative to t. (The triple-angle steps do not
// enlarge a relative error of the series: they multiply it by x·cot x <= 1.)
double seriesDigits(int32_t tripleSteps, int32_t lastPower)
{
    const double reduced = tripleSteps * std::log10(3.0) - std::log10(std::numbers::pi / 2);
    return (lastPower + 1) * reduced + std::lgamma(lastPower + 3.0) / std::log(10.0);
}

// The series parameter of the row, made larger where the row's series stops
// short of p + 4 correct digits. Two rows do at the top of their range
// (p above 978 with o = 15, q = 110; above 7973 with o = 55, q = 280), where
// an angle next to π/2 would lose up to fifteen shown digits; everywhere
// else the row's own q is kept.
int16_t seriesParameterFor(int32_t p, const SineParameters& row)
{
    int16_t q = row.seriesParameter < 10 ? 10 : row.seriesParameter;
    while (seriesDigits(row.tripleSteps, seriesLastPower(q)) < p + kGuardDigits)
        q = static_cast<int16_t>(q + 2);
    return q;
}

// The angle reduced modulo 2π with π to p + 8 (+ integer digits) digits and
// the multiples of π/2, all cut to p + 1 digits, as the exact points are
// compared.
struct ExactPointView {
    BigNum x1, halfPi, threeHalfPi, pi, twoPi;
};

bool exactPointView(const BigNum& x, int32_t p, const char* function, const char* tooLarge,
                    ExactPointView& v)
{
    const int64_t digits = int64_t{p} + kExactPointExtraDigits + integerDigitsOf(x);
    const BigNum pi = piForReduction(digits, function);
    if (errorFlag == -1)
        return false;
    WorkPrecisionGuard precision;
    precision.setTo(digits);
    const BigNum halfPi = myDiv(pi, bigTwo);
    const BigNum threeHalfPi = myMul(halfPi, bigThree);
    const BigNum twoPi = myMul(pi, bigTwo);
    const BigNum x1 = myMOD(x, twoPi).remainder;
    if (errorFlag == -1)
        return false;
    if (myCompareAbs(x1, twoPi) == 2) {
        reportError(tooLarge, MessageStyle::Plain);
        return false;
    }
    precision.restore();
    v.x1 = myTruncSig(x1, p + 1);
    v.halfPi = myTruncSig(halfPi, p + 1);
    v.threeHalfPi = myTruncSig(threeHalfPi, p + 1);
    v.pi = myTruncSig(pi, p + 1);
    v.twoPi = myTruncSig(twoPi, p + 1);
    return errorFlag == 0;
}

bool same(const BigNum& a, const BigNum& b) { return myCompareAbs(a, b) == 0; }

// sin x (cos x when addQuarterTurn) away from the exact points, at entry
// precision p.
BigNum sineGeneral(const BigNum& x, bool addQuarterTurn, int32_t p, const char* function)
{
    const SineParameters row = sineParametersFor(p);
    const int16_t q = seriesParameterFor(p, row);
    SineArgument a = reduceForSine(x, addQuarterTurn, p, kSineGuardDigits, function);
    if (errorFlag == -1)
        return BigNum{};

    WorkPrecisionGuard precision;
    precision.setTo(int64_t{p} + kSineGuardDigits);
    const BigNum t = myDiv(a.t, myPower(bigThree, smallInteger(row.tripleSteps)));
    BigNum s = mySinSeries(t, q);
    for (int32_t i = 0; i < row.tripleSteps && errorFlag == 0; ++i) {
        const BigNum cube = myMul(bigFour, myMul(myMul(s, s), s));
        s = mySub(myMul(bigThree, s), cube);
    }
    if (a.negate)
        s = withSignZeroPositive(s, !s.isPositive());
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    return myTruncSig(qslqwl(s), p + kGuardDigits);
}

} // namespace

BigNum mysin(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    SubFunctionTimer timer;
    if (isZero(x))
        return bigZero;

    const int32_t p = workPrecision;
    ExactPointView v;
    if (!exactPointView(x, p, "sin", "mysin函数的值大于2π，可能是你所设精度过小造成的", v))
        return BigNum{};
    const bool positive = v.x1.isPositive();
    // A remainder of zero is a multiple of 2π to more digits than the
    // working precision.
    if (isZero(v.x1) || same(v.x1, v.twoPi) || same(v.x1, v.pi))
        return bigZero;
    if (same(v.x1, v.threeHalfPi))
        return positive ? bigMinusOne : bigOne;
    if (same(v.x1, v.halfPi))
        return positive ? bigOne : bigMinusOne;

    BigNum s = sineGeneral(x, false, p, "sin");
    if (errorFlag == -1)
        return BigNum{};
    timer.reportInCaption();
    return s;
}

BigNum myCos(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isZero(x))
        return bigOne;

    const int32_t p = workPrecision;
    ExactPointView v;
    if (!exactPointView(x, p, "cos", "myCos函数的值大于2π，可能是你所设精度过小造成的", v))
        return BigNum{};
    if (isZero(v.x1) || same(v.x1, v.twoPi))
        return bigOne;
    if (same(v.x1, v.threeHalfPi) || same(v.x1, v.halfPi))
        return bigZero;
    if (same(v.x1, v.pi))
        return bigMinusOne;

    // cos x = sin(x + π/2), timed as the sine is.
    SubFunctionTimer timer;
    BigNum c = sineGeneral(x, true, p, "cos");
    if (errorFlag == -1)
        return BigNum{};
    timer.reportInCaption();
    return c;
}

BigNum mySinSeries(const BigNum& t, int16_t q)
{
    if (errorFlag == -1)
        return BigNum{};
    const int32_t lastPower = seriesLastPower(q);
    RaisedWorkPrecision raised(kSeriesGuardDigits);

    // Horner form of K!·(t - t³/3! + ... ± t^K/K!) / t: G runs through the
    // integers K!/(k-2)!, so the loop has no division.
    const BigNum factorial = myFullFact(smallInteger(lastPower));
    const BigNum x = qslqwl(t);
    const BigNum t2 = myMul(x, x);
    BigNum g = bigOne;
    BigNum a = t2;
    for (int64_t k = lastPower; k >= 5 && errorFlag == 0; k -= 2) {
        g = myMul(smallInteger(k * (k - 1)), g);
        a = myMul(mySub(g, a), t2);
    }
    a = myDiv(myMul(x, a), factorial);
    const BigNum s = mySub(x, a);

    raised.restore();
    if (errorFlag == -1)
        return BigNum{};
    return myTruncSig(qslqwl(s), workPrecision + kGuardDigits);
}
