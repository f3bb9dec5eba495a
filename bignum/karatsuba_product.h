// Exact products of mid-size limb strings by Karatsuba's method: three half
// products instead of four at every level, down to the schoolbook method
// below kKaratsubaMinLimbs limbs.
#pragma once

#include <cstdint>

// Product of two limb strings of base 10^8, least significant first, into
// nx + ny limbs. Exact for any lengths; an operand of fewer than
// kKaratsubaMinLimbs limbs goes to the schoolbook method as a whole, a much
// longer one is multiplied in slices as long as the shorter operand.
void limbProductKaratsuba(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out);
