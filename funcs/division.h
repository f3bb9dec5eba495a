// Quotients to the working precision: long division in base 10000, or for a
// long divisor at high precision a 1040-digit reciprocal seed refined by
// Newton's iteration.
#pragma once

#include "bignum/bignum.h"

// a / b truncated to workPrecision + 4 digits; b = 0 reports
// "除法子程序中除数为零" and returns bigOne.
BigNum myDiv(const BigNum& a, const BigNum& b);
// Refines x0 ~ 1/b by Newton's iteration to workPrecision + 4 digits.
BigNum myRecipNewton(const BigNum& x0, const BigNum& b);
// 1/b to about 1040 significant digits, with b's sign: the digits long
// division of 1 by b's first 1040 digits gives with 260 base-10000 quotient
// limbs.
BigNum myEXCEOTds(const BigNum& b);
