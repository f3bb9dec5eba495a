// Quotients to the working precision: long division in base 10000, or for a
// long divisor at high precision a 1040-digit reciprocal seed refined by
// Newton's iteration.
#pragma once

#include "bignum.h"

// a / b truncated to workPrecision + 4 digits; b = 0 reports
// "除法子程序中除数为零" and returns bigOne.
BigNum myDiv(const BigNum& a, const BigNum& b);
// Refines x0 ~ 1/b by Newton's iteration to workPrecision + 4 digits.
BigNum myRecipNewton(const BigNum& x0, const BigNum& b);
// 1/b to 1040 significant digits by long division, with b's sign.
BigNum myEXCEOTds(const BigNum& b);
