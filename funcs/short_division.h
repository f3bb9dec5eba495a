// Long division by a divisor of at most eight digits in one pass: the
// remainder stays below 10^8, so eight dividend digits at a time join it in
// a 64-bit integer and one machine division gives eight quotient digits.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"
#include "bignum/digit_span.h"

// The largest divisor, in digits, that shortDivide takes.
constexpr int32_t kShortDivisorDigits = 8;

// Exactly what longDivide(a, b, quotientLimbs, positive, 4 * quotientLimbs)
// gives, the same digits cut at the same place, for a divisor b of at most
// kShortDivisorDigits digits (neither span zero).
BigNum shortDivide(const DigitSpan& a, const DigitSpan& b, int32_t quotientLimbs, bool positive);
