// e^x: the integer part of x through an integer power of e from the
// constants table, the fractional part by a Taylor series after 80 halvings,
// undone by 80 squarings.
#pragma once

#include "bignum/bignum.h"

BigNum myExp(const BigNum& x);
