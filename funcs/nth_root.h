// Roots other than the square root: the y-th root for any real index through
// a power with exponent 1/y, the cube root by Newton's iteration from a
// digit-by-digit seed.
#pragma once

#include "bignum/bignum.h"

// The y-th root of x (root index first, as yroot(y, x) is written).
BigNum myYroot(const BigNum& y, const BigNum& x);
BigNum myCubeRoot(const BigNum& x);
// The first 20 digits of the n-th root of x > 0 (n a small positive integer),
// by schoolbook digit-by-digit extraction.
BigNum myRootDigits(const BigNum& n, const BigNum& x);
