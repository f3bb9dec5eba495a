#include "funcs/tangent.h"

#include "funcs/constants.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "funcs/sine_cosine.h"
#include "funcs/trig_reduction.h"
#include "funcs/work_precision_guard.h"

namespace {

// A remainder is taken for π/2 only when it carries at least this many
// digits: 1.5707963 is π/2 as far as its digits go, but 1.5 and 1.57 are
// ordinary angles whose tangents (14.1..., 1255.7...) the user asked for.
constexpr int32_t kPoleMinDigits = 8;

} // namespace

BigNum myTan(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    WorkPrecisionGuard precision;
    const int32_t p = precision.entry();

    // The remainder must be right to the working precision however many
    // integer digits the argument has: π carries that many more.
    const int64_t digits = int64_t{p} + kScreenExtraDigits + integerDigitsOf(x);
    const BigNum pi = piForReduction(digits, "tan");
    if (errorFlag == -1)
        return BigNum{};
    precision.setTo(digits);
    BigNum r = myMOD(x, pi).remainder;
    precision.restore();
    r = myTruncSig(r, p + kGuardDigits);
    if (errorFlag == -1)
        return BigNum{};
    if (isZero(r))
        return bigZero;
    if (myCompareAbs(myTruncSig(pi, p), myTruncSig(r, p)) == 0)
        return bigZero;

    // π/2 cut to as many digits as the remainder has: the pole is where the
    // argument cannot be told from it.
    precision.raiseBy(kPoleExtraDigits);
    const BigNum halfPi = myDiv(tableConstant(DigitTableId::Pi, workPrecision), bigTwo);
    const int32_t remainderDigits = qslqwl(r).limbCount;
    const BigNum pole = myTruncSig(halfPi, remainderDigits);
    const bool atPole = remainderDigits >= kPoleMinDigits && myCompareAbs(r, pole) == 0;
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    if (atPole)
        return reportError("tan函数的输入值无效", MessageStyle::Plain);

    const BigNum s = mysin(x);
    const BigNum c = myCos(x);
    return myDiv(s, c);
}

BigNum myCot(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    WorkPrecisionGuard precision;
    const int32_t p = precision.entry();

    const int64_t digits = int64_t{p} + kScreenExtraDigits + integerDigitsOf(x);
    const BigNum pi = piForReduction(digits, "cot");
    if (errorFlag == -1)
        return BigNum{};
    precision.setTo(digits);
    const BigNum r1 = myMOD(x, pi).remainder;
    const BigNum halfPi = myDiv(pi, bigTwo);
    const BigNum r2 = myMOD(x, halfPi).remainder;
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    if (isZero(r1))
        return reportError("cot函数的输入值无效", MessageStyle::Plain);
    if (myCompareAbs(myTruncSig(pi, p), myTruncSig(r1, p)) == 0)
        return reportError("cot函数的输入值无效", MessageStyle::Plain);
    if (isZero(r2))
        return bigZero;

    const BigNum c = myCos(x);
    const BigNum s = mysin(x);
    return myDiv(c, s);
}
