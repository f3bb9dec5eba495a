// Reduction of an angle by multiples of π taken from the digit table.
//
// Two things eat digits of π. Every integer digit of the angle multiplies the
// error of π once more by ten (sin 10^20 needs π to 20 more digits than sin 1),
// and a reduced angle that lands next to a multiple of π has lost its leading
// digits against π (sin 355 is -3.0e-5: five digits gone). Both are counted
// here and paid for with more digits of π; an angle the 11,000 digits of the
// table cannot reduce is refused with a message instead of giving wrong
// digits.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

// Integer digits of |x| (0 when |x| < 1); x may have any limb size.
int64_t integerDigitsOf(const BigNum& x);

// π to `digits` digits for reducing an angle of `function`; when the table is
// too short the message says that the argument is too large.
BigNum piForReduction(int64_t digits, const char* function);

struct SineArgument {
    BigNum t;           // |t| <= π/2
    bool negate = false; // the sine wanted is -sin t
};

// sin(x) (or sin(x + π/2) = cos x when addQuarterTurn) as ±sin t, with t
// carrying about p + 32 correct significant digits: π is taken with
// `guardDigits` digits beyond p, plus the integer digits of x, plus the
// digits that cancel. Runs at its own precision and leaves workPrecision as
// it found it. Reports and returns an empty t when the table is too short.
SineArgument reduceForSine(const BigNum& x, bool addQuarterTurn, int32_t p, int32_t guardDigits,
                           const char* function);
