// x^y: integer exponents by binary exponentiation, others through square
// roots, a binomial series and repeated raising to 65536.
#pragma once

#include "bignum/bignum.h"

BigNum myPower(const BigNum& x, const BigNum& y);
BigNum myIntPower(const BigNum& x, const BigNum& n);
BigNum myFracPower(const BigNum& x, const BigNum& y);
BigNum myBinomialPower(const BigNum& z, const BigNum& y);
