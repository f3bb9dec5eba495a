// arsinh, arcosh, artanh and arcoth by their logarithmic formulas; each
// reports an argument outside its domain with a message naming the domain.
#pragma once

#include "bignum/bignum.h"

BigNum myArsinh(const BigNum& x);
BigNum myArcosh(const BigNum& x);
BigNum myArtanh(const BigNum& x);
BigNum myArcoth(const BigNum& x);
