// Tangent and cotangent of an angle in radians: the argument is screened
// against the poles and zeros by reducing it modulo π (and π/2) with π from
// the digit table; otherwise the quotient of the sine and the cosine.
#pragma once

#include "bignum/bignum.h"

// tan x; a pole (x mod π equal to ±π/2 at the digits of the argument)
// reports "tan函数的输入值无效".
BigNum myTan(const BigNum& x);
// cot x; a pole (x mod π equal to 0, or to π at the working precision)
// reports "cot函数的输入值无效".
BigNum myCot(const BigNum& x);
