// Reading and setting the sign of a record. A record of zero may carry either
// sign internally; the helpers say which of them keep that and which make it +.
#pragma once

#include "bignum/bignum.h"

// Strictly below zero: a zero marked negative does not count.
inline bool isNegative(const BigNum& x) { return !x.isPositive() && !isZero(x); }

// x with the given sign, also when x is zero.
inline BigNum withSign(const BigNum& x, bool positive)
{
    BigNum y = x;
    y.positive = positive ? kTrue : kFalse;
    return y;
}

// x with the given sign, but zero always positive: for results that reach the
// display, where a -0 must not appear.
inline BigNum withSignZeroPositive(const BigNum& x, bool positive)
{
    return withSign(x, positive || isZero(x));
}

inline BigNum magnitude(const BigNum& x) { return withSign(x, true); }

// -x; a zero changes its mark as any other record does.
inline BigNum negated(const BigNum& x) { return withSign(x, !x.isPositive()); }
