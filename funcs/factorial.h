// n! from the factorial table and a product tree, double factorials and the
// exact small factorials the series use.
#pragma once

#include <cstdint>

#include "bignum.h"

BigNum myFact(const BigNum& x);
BigNum myDoubleFact(const BigNum& x);
BigNum myFullFact(const BigNum& x);
BigNum myRangeProduct(int32_t n);
