// Square roots through GMP's integer square root.
#pragma once

#include "bignum/bignum.h"

// The message for a negative radicand, shared by every root of even degree.
inline constexpr char kNegativeRadicandMessage[] = "被开方数不能为负数";

BigNum mySqrt(const BigNum& x);

// `count` square roots in a row, x^(1/2^count): the same digits as count
// calls of mySqrt, each cutting its root to workPrecision + 4 digits, but
// the roots stay exact binary integers from the first to the last and only
// the last is written out in decimal. Chains of a hundred and more roots
// (logarithm, non-integer powers) spent most of their time converting every
// root to decimal text and back.
BigNum mySqrtChain(const BigNum& x, int32_t count);

// Digits of the integer whose square root mySqrt takes for a radicand whose
// leading digit has the weight 10^w, at precision p keeping `keep` digits.
int64_t sqrtRadicandLength(int64_t p, int64_t w, int64_t keep);
