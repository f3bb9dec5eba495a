// Schoolbook long division in base 10000, shared by the quotient of myDiv and
// the 1040-digit reciprocal seed of myEXCEOTds.
//
// Both operands come as digit spans (leading digit nonzero), so a divisor
// written 0.0003 in plain form is divided as 3 x 10^-4: its first limb always
// starts with a nonzero digit, and the scaling below makes it at least 5000.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"
#include "bignum/digit_span.h"

// Normalisation multiplier for a divisor whose first eight digits (missing
// digits counted as zeros) form t, 10^7 <= t < 10^8: the largest m in 1..9
// with t * m < 10^8, less one when the digits after the first eight could
// carry the scaled prefix up to 10^8 (they add at most m - 1 to it). The
// scaled divisor then keeps its limb count and starts with a limb of at least
// 5000, which keeps the trial quotient at most two above the true limb.
int32_t normalisationMultiplier(int32_t t);

// Magnitude of a / b (neither zero) from `quotientLimbs` base-10000 quotient
// limbs, in scientific form with one digit per limb, cut to `keep`
// significant digits and given the sign `positive`.
//
// The divisor is used in full; the dividend only as far as the quotient limbs
// reach. Digits of the dividend beyond that lie below the last quotient limb
// and cannot change it, so the digits produced are those of trunc(a / b).
// With q quotient limbs the result has at least 4q - 7 significant digits.
BigNum longDivide(const DigitSpan& a, const DigitSpan& b, int32_t quotientLimbs, bool positive, int32_t keep);
