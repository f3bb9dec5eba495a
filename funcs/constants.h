// π and e from the digit tables, angle conversions, integer and fractional
// part, and the decimal exponent operator.
#pragma once

#include "bignum.h"

BigNum myPi();
BigNum myE();
BigNum myRadian(const BigNum& degrees);
BigNum myArcMinute(const BigNum& minutes);
BigNum myArcSecond(const BigNum& seconds);
BigNum myAngle(const BigNum& radians);
BigNum myInt(const BigNum& x);
BigNum myFrac(const BigNum& x);
// x scaled by ten to the power k.
BigNum mySetExponent(const BigNum& x, const BigNum& k);
