// A view of the significant digits of a one-digit-per-limb record with the
// power of ten of its leading digit. Comparison, addition and subtraction work
// on these views so that they never materialise the zeros an exponent stands
// for (1e-900000 + 1 costs as much as 1.1 + 1).
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

struct DigitSpan {
    const int32_t* digits = nullptr; // digits[0] is the leading nonzero digit
    int32_t count = 0;               // 0 for the value zero
    int64_t high = 0;                // power of ten of digits[0]

    bool isZero() const { return count == 0; }
    int64_t low() const { return high - count + 1; }
};

// Span of x, which must have one digit per limb (any form, any guards).
// The span points into x, which must outlive it.
DigitSpan spanOf(const BigNum& x);

// Span of x in any limb size: x itself is read when it has one digit per
// limb, otherwise a regrouped copy is made in `holder` (which must outlive the
// span). The empty span after an error.
DigitSpan digitSpanOf(const BigNum& x, BigNum& holder);

// Runs f on the one-digit-per-limb span of x, regrouping only when needed.
template <typename F>
auto withSpan(const BigNum& x, F f)
{
    if (x.digitsPerLimb == 1)
        return f(spanOf(x));
    const BigNum y = myRegroup(x, 1);
    return f(spanOf(y));
}

// Orders two spans by magnitude: 0 equal, 1 a smaller, 2 a larger.
int16_t compareSpans(const DigitSpan& a, const DigitSpan& b);

// Canonical scientific record of the digits d[0 .. count-1], where d[0] has
// the weight 10^high, truncated to `keep` significant digits; zero digits in
// front are skipped. Returns the empty record (and reports) when the exponent
// leaves the representable range.
BigNum sciFromDigits(const int32_t* d, int64_t count, int64_t high, bool positive, int32_t keep);

// The significant digits a result keeps: workPrecision + 4, at least one.
int32_t keptDigits();
