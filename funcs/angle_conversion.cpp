// Degrees, minutes and seconds of arc to radians and radians to degrees. The
// argument is first reduced (modulo 360 degrees, modulo 2π radians) and the
// conversion runs with eight extra digits, which the result keeps.
#include <algorithm>

#include "constants.h"
#include "division.h"
#include "int_division.h"

namespace {

constexpr int32_t kAngleExtraDigits = 8;

BigNum smallInteger(int32_t v) { return makeSmallConstant(kTrue, 8, 8, v, 0); }

} // namespace

BigNum myRadian(const BigNum& degrees)
{
    if (errorFlag == -1)
        return BigNum{};
    const BigNum r = myMOD(degrees, smallInteger(360)).remainder;
    workPrecision += kAngleExtraDigits;
    const BigNum pi = tableConstant(DigitTableId::Pi, workPrecision);
    const BigNum result = myMul(myDiv(pi, smallInteger(180)), r);
    workPrecision -= kAngleExtraDigits;
    return errorFlag == -1 ? BigNum{} : result;
}

BigNum myArcMinute(const BigNum& minutes)
{
    if (errorFlag == -1)
        return BigNum{};
    return myRadian(myDiv(minutes, smallInteger(60)));
}

BigNum myArcSecond(const BigNum& seconds)
{
    if (errorFlag == -1)
        return BigNum{};
    return myRadian(myDiv(seconds, smallInteger(3600)));
}

BigNum myAngle(const BigNum& radians)
{
    if (errorFlag == -1)
        return BigNum{};
    workPrecision += kAngleExtraDigits;
    const BigNum pi = tableConstant(DigitTableId::Pi, workPrecision);
    const BigNum r = myMOD(radians, myMul(bigTwo, pi)).remainder;
    const BigNum result = myMul(myDiv(smallInteger(180), pi), r);
    workPrecision -= kAngleExtraDigits;
    return errorFlag == -1 ? BigNum{} : result;
}
