// Integer quotient (truncated toward zero) and remainder (with the dividend's
// sign), behind "\" and mod.
#pragma once

#include <cstdint>
#include <vector>

#include "bignum/bignum.h"

struct QuotRem {
    BigNum remainder;
    BigNum quotient;
};

QuotRem myMOD(const BigNum& a, const BigNum& b);
// The integer whose decimal digits are digits[1..n] (digits[0] unused).
BigNum myDigitsToNum(const std::vector<int32_t>& digits, int32_t n);
