// Sine and cosine of an angle in radians. The angle is reduced modulo 2π with
// π from the digit table; the multiples of π/2 that the working precision
// cannot tell apart from the angle are answered exactly; everything else is
// folded into [-π/2, π/2], divided by 3^o, summed by a Taylor series with
// integer coefficients and tripled back with sin 3a = 3 sin a - 4 sin³ a.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

BigNum mysin(const BigNum& x);
BigNum myCos(const BigNum& x);
// sin t for |t| <= π/(2·3^o), the series to t^K/K! with K = 2·(q div 2) + 3
// (q at least 10), in Horner form scaled by K!.
BigNum mySinSeries(const BigNum& t, int16_t q);
