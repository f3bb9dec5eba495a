// Integer and fractional part, both keeping the sign of x.
#pragma once

#include "bignum/bignum.h"

BigNum myInt(const BigNum& x);
BigNum myFrac(const BigNum& x);
