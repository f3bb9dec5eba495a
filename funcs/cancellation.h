// How many digits a subtraction of nearly equal values costs, read from the
// digits of an argument, so that a routine can carry that many more guard
// digits and still give every digit it keeps.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

// Power of ten of the leading digit of x (any limb size); 0 for zero.
int64_t leadingPower(const BigNum& x);

// For x > 0 next to 1 (1.000ddd or 0.999ddd): about -log10 |x - 1|, rounded
// up, when x shares at least one digit beyond its first with 1; 0 otherwise,
// also for x = 1.
int64_t depthNearOne(const BigNum& x);
