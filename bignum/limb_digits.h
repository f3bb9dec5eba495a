// Whole runs of limbs to and from decimal digits (one digit value per int32,
// most significant first). The exact products
// convert every operand in and every result out, and in a series multiplied
// by short factors those conversions cost as much as the products, so the
// digits are read into limbs with vectors (SSE2) where the target has them,
// and written out four at a time from a table.
#pragma once

#include <cstdint>

// out[i] = the eight digits end[-8(i+1)] .. end[-8i-1] read as one number,
// for i < count: limbs of base 10^8, least significant first, taken from the
// digits in front of `end`.
void limbsFromDigits8(const int32_t* end, int32_t count, uint32_t* out);

// The digits of limbs[count-1], limbs[count-2], ..., limbs[0] in that order
// (most significant limb first), digitsPerLimb (3, 4 or 8) per limb with
// their leading zeros: out receives digitsPerLimb * count digits.
void digitsFromLimbs(const uint32_t* limbs, int32_t count, int digitsPerLimb, int32_t* out);
