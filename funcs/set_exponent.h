// The decimal exponent operator (1.5e3).
#pragma once

#include "bignum/bignum.h"

// x scaled by ten to the power of the integer part of k (its fraction is
// dropped: 1e2.7 = 100); a scale that leaves the exponent range is reported.
BigNum mySetExponent(const BigNum& x, const BigNum& k);
