// Sum and difference of two digit spans formed only over the digits the
// result keeps. The digits below the cut matter only through the one carry or
// borrow they send across it, and that is read off the first position below
// the cut that is not a 9-sum (or an equal pair): no aligned copy of either
// operand, no zero-filled buffer of the full width, one pass over the kept
// digits into a reused window and one block copy into the result record.
#pragma once

#include <cstdint>
#include <optional>

#include "bignum/bignum.h"
#include "bignum/digit_span.h"

// |a| + |b| truncated to `keep` significant digits, with the given sign;
// neither span is zero.
BigNum keptSum(const DigitSpan& a, const DigitSpan& b, bool positive, int32_t keep);

// |big| - |small| truncated to `keep` significant digits, with the given
// sign; |big| > |small| > 0. Nothing when the leading digits cancel so far
// that the result starts more than one place below the first position where
// the operands differ (1.000..0x - 0.999..9y) and the operands have digits
// below the window: the caller forms those whole.
std::optional<BigNum> keptDifference(const DigitSpan& big, const DigitSpan& small, bool positive, int32_t keep);
