// Square roots through GMP's integer square root.
#pragma once

#include "bignum.h"

BigNum mySqrt(const BigNum& x);
