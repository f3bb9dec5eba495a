// Squares by the schoolbook method: every cell off the diagonal appears twice
// in a square, so it is formed once and the columns are doubled, which halves
// the work of a product of a number by itself.
#pragma once

#include <cstdint>

// x * x (n base-10^8 limbs, least significant first) over columns `from` and
// up: out[from .. 2n-1] holds those columns' cells, carried upwards from
// column `from`; out[0 .. from-1] is zero (from = 0: the whole square).
// column: 2n words of scratch.
void limbSquareSchoolbookFrom(const uint32_t* x, int32_t n, int32_t from, uint32_t* out, uint64_t* column);
