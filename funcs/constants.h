// π and e from the digit tables, angle conversions, integer and fractional
// part, and the decimal exponent operator.
#pragma once

#include "bignum.h"
#include "globals.h"

// The first `digits` digits of a table constant (π, e) as one digit per limb
// with one integer digit, as built: not normalised. A count beyond the table,
// or beyond what the table file supplied, is reported and gives the empty
// record.
BigNum tableConstant(DigitTableId id, int32_t digits);

// π and e to workPrecision + 4 digits.
BigNum myPi();
BigNum myE();
BigNum myRadian(const BigNum& degrees);
BigNum myArcMinute(const BigNum& minutes);
BigNum myArcSecond(const BigNum& seconds);
BigNum myAngle(const BigNum& radians);
BigNum myInt(const BigNum& x);
BigNum myFrac(const BigNum& x);
// x scaled by ten to the power of the integer part of k (its fraction is
// dropped: 1e2.7 = 100); a scale that leaves the exponent range is reported.
BigNum mySetExponent(const BigNum& x, const BigNum& k);
