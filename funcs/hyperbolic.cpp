// For |x| < 1, u = e^x and 1/u agree in their leading digits and u - 1/u
// keeps only the digits after them: an x of 10^-d loses about d digits. sinh,
// tanh and coth then carry d more guard digits. Once x^2 is below the last
// kept digit (d beyond half the precision) the series sinh x = x + x^3/6 + ...
// shows that x itself is the answer to the kept digits (tanh likewise, and
// 1/x for coth), which also keeps the raise bounded.
#include "funcs/hyperbolic.h"

#include <algorithm>

#include "funcs/cancellation.h"
#include "funcs/division.h"
#include "funcs/exponential.h"
#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "funcs/work_precision_guard.h"

namespace {

enum class Kind { Sinh, Tanh, Coth };

// Digits that u - 1/u loses for this x: 0 for |x| >= 0.1.
int64_t cancelledDigits(const BigNum& x) { return std::max<int64_t>(0, -leadingPower(x)); }

// True when x^2 < 10^-(p + 8): x is then so small that the odd series stop
// at their first term within the digits kept. |x| < 10^(1 - d).
bool beyondSeries(int64_t d, int32_t p) { return 2 * (d - 1) >= static_cast<int64_t>(p) + 2 * kGuardDigits; }

// u - 1/u or u + 1/u combinations with the guard digits the difference costs.
BigNum fromExponential(const BigNum& x, Kind kind)
{
    const int64_t d = cancelledDigits(x);
    if (d > 0 && beyondSeries(d, workPrecision)) {
        switch (kind) {
        case Kind::Sinh:
        case Kind::Tanh: return cutToWorkPrecision(x);
        case Kind::Coth: return myDiv(bigOne, x);
        }
    }
    BigNum r;
    {
        RaisedWorkPrecision raised(d);
        const BigNum u = myExp(x);
        const BigNum v = myDiv(bigOne, u);
        switch (kind) {
        case Kind::Sinh: r = myMul(mySub(u, v), bigHalf); break;
        case Kind::Tanh: r = myDiv(mySub(u, v), myAdd(u, v)); break;
        case Kind::Coth: r = myDiv(myAdd(u, v), mySub(u, v)); break;
        }
    }
    if (errorFlag == -1)
        return BigNum{};
    return d > 0 ? cutToWorkPrecision(r) : r;
}

} // namespace

BigNum mySinh(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigZero) == 0)
        return bigZero;
    return fromExponential(x, Kind::Sinh);
}

BigNum myCosh(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigZero) == 0)
        return bigOne;
    BigNum y = x;
    y.positive = kTrue;
    const BigNum u = myExp(y);
    const BigNum v = myDiv(bigOne, u);
    return myMul(myAdd(u, v), bigHalf);
}

BigNum myTanh(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigZero) == 0)
        return bigZero;
    return fromExponential(x, Kind::Tanh);
}

BigNum myCoth(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (myCompareAbs(x, bigZero) == 0)
        return reportError("coth函数输入错误，自变量x不能为零", MessageStyle::Plain);
    return fromExponential(x, Kind::Coth);
}
