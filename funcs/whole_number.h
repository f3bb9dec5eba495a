// Integer tests on records of any size: whether a value has a fractional
// part and what its integer part is, read from the significant digits so that
// an exponent such as 1e2000000000 is never written out as zeros.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

// True when x (any limb size) has nonzero digits after the decimal point.
bool hasFractionalPart(const BigNum& x);

// |integer part of x| when it is below cap, otherwise cap.
int64_t integerMagnitudeCapped(const BigNum& x, int64_t cap);

// A plain one-digit-per-limb record holding the integer v.
BigNum bigFromInteger(int64_t v);

// A one-limb record holding 0 <= v < 10^9, built as the shared constants are:
// the small factors of the series and angle conversions.
BigNum smallInteger(int64_t v);
