// n! from the factorial table and a product tree, double factorials and the
// exact small factorials the series use.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

// The message for a factorial (single or double) of a non-integer.
inline constexpr char kFractionalFactorialMessage[] = "阶乘的输入值不能为小数";

BigNum myFact(const BigNum& x);
BigNum myDoubleFact(const BigNum& x);
BigNum myFullFact(const BigNum& x);
BigNum myRangeProduct(int32_t n);
