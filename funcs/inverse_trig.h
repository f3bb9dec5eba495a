// Inverse trigonometric functions, results in radians. The arctangent takes
// off stored arctangents of 1, 0.1, 0.01, 0.001 and 0.0001 by the addition
// theorem until the argument is at most 10^-4 and sums the series of the
// rest; the arcsine, arccosine and arccotangent reduce to it.
#pragma once

#include <cstdint>

#include "bignum/bignum.h"

BigNum myAtan(const BigNum& x);
// |x| > 1 reports "对不起，你给的数值超出了正常值范围".
BigNum myAsin(const BigNum& x);
BigNum myAcos(const BigNum& x);
// Range (0, π).
BigNum myAcot(const BigNum& x);
// atan t for 0 <= t <= 10^-4: t - t³/3 + ... ± t^N/N with N about p/4, in
// Horner form with the exact integer coefficients N!!/k.
BigNum myAtanSeries(const BigNum& t);
