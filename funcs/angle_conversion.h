// Angle conversions of the calculator's degree, arc-minute and arc-second
// marks, and radians back to degrees.
#pragma once

#include "bignum/bignum.h"

BigNum myRadian(const BigNum& degrees);
BigNum myArcMinute(const BigNum& minutes);
BigNum myArcSecond(const BigNum& seconds);
BigNum myAngle(const BigNum& radians);
