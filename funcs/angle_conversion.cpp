// Degrees, minutes and seconds of arc to radians and radians to degrees. The
// argument is first reduced (modulo a full turn in its own unit, modulo 2π
// radians) and the conversion runs with eight extra digits, which the result
// keeps. The reduction takes off every whole turn exactly, however large the
// argument: 1e50° is 280°, not whatever the cut digits of 1e50 / 360 leave.
#include <algorithm>

#include "funcs/angle_conversion.h"
#include "funcs/cancellation.h"
#include "funcs/constants.h"
#include "funcs/division.h"
#include "funcs/int_division.h"
#include "funcs/trig_reduction.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

namespace {

// x / perDegree degrees in radians. The full turn is taken off in x's own
// unit, where it is an exact integer; x / 60 first would cut the quotient of a
// large x to the working precision before the turns come off.
BigNum arcToRadians(const BigNum& x, int32_t perDegree)
{
    if (errorFlag == -1)
        return BigNum{};
    const BigNum turn = smallInteger(360 * perDegree);
    const BigNum r = myMOD(x, turn).remainder;
    const BigNum degrees = perDegree == 1 ? r : myDiv(r, smallInteger(perDegree));
    RaisedWorkPrecision raised(kAngleExtraDigits);
    const BigNum pi = tableConstant(DigitTableId::Pi, workPrecision);
    const BigNum result = myMul(myDiv(pi, smallInteger(180)), degrees);
    return errorFlag == -1 ? BigNum{} : result;
}

} // namespace

BigNum myRadian(const BigNum& degrees) { return arcToRadians(degrees, 1); }

BigNum myArcMinute(const BigNum& minutes) { return arcToRadians(minutes, 60); }

BigNum myArcSecond(const BigNum& seconds) { return arcToRadians(seconds, 3600); }

BigNum myAngle(const BigNum& radians)
{
    if (errorFlag == -1)
        return BigNum{};
    RaisedWorkPrecision raised(kAngleExtraDigits);
    const int32_t p = workPrecision;
    // Taking off n turns multiplies the error of 2π by n, so π carries as many
    // more digits as the argument has integer digits; a remainder that lands
    // next to a multiple of 2π has lost its leading digits against π, which
    // are paid for with more digits still. An argument the table's π cannot
    // reduce is refused.
    int64_t extra = 0;
    BigNum r;
    for (;;) {
        const int64_t digits = int64_t{p} + integerDigitsOf(radians) + extra;
        const BigNum pi = piForReduction(digits, "angle");
        if (errorFlag == -1)
            return BigNum{};
        RaisedWorkPrecision reduction(digits - workPrecision);
        const BigNum twoPi = myMul(bigTwo, pi);
        r = myMOD(radians, twoPi).remainder;
        if (errorFlag == -1)
            return BigNum{};
        if (isZero(r) || myCompareAbs(radians, twoPi) == 1)
            break;
        const int64_t lost = std::max<int64_t>(0, -leadingPower(r));
        if (lost <= extra)
            break;
        extra = lost + 1;
    }
    const BigNum pi = tableConstant(DigitTableId::Pi, p);
    const BigNum result = myMul(myDiv(smallInteger(180), pi), myTruncSig(r, p + kGuardDigits));
    return errorFlag == -1 ? BigNum{} : result;
}
