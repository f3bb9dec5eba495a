// Square roots through GMP's integer square root.
#pragma once

#include "bignum.h"

// The message for a negative radicand, shared by every root of even degree.
inline constexpr char kNegativeRadicandMessage[] = "被开方数不能为负数";

BigNum mySqrt(const BigNum& x);
