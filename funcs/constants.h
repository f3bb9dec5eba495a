// π and e from the digit tables.
#pragma once

#include "bignum/bignum.h"
#include "bignum/globals.h"

// The first `digits` digits of a table constant (π, e) as one digit per limb
// with one integer digit, as built: not normalised. A count beyond the table,
// or beyond what the table file supplied, is reported and gives the empty
// record.
BigNum tableConstant(DigitTableId id, int32_t digits);

// π and e to workPrecision + 4 digits.
BigNum myPi();
BigNum myE();
