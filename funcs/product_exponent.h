// Repeated products (powers) can push a decimal exponent past the range the
// record holds; checking before each product keeps the 32-bit exponent field
// from wrapping.
#pragma once

#include "bignum/bignum.h"

// True when the product of a and b (one digit per limb, any form) keeps its
// exponent within range; otherwise reports the overflow and returns false.
bool productExponentFits(const BigNum& a, const BigNum& b);
