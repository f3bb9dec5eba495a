// Natural and common logarithms: the decimal exponent contributes a multiple
// of ln 10 from the constants table, the mantissa is brought next to 1 by
// repeated square roots and summed by the Mercator series with integer
// coefficients.
#pragma once

#include "bignum/bignum.h"

// ln x; zero or negative x reports "ln函数的输入值无效".
BigNum myLn(const BigNum& x);
// log10 x = ln x / ln 10; zero or negative x reports "myLog函数的输入值无效".
BigNum myLog(const BigNum& x);
// a / k by long division (one pass for a k of up to eight digits), for the
// exact integer quotients of the series (a factorial over a small divisor of
// it). k must not be zero.
BigNum mySeriesDiv(const BigNum& a, const BigNum& k);
