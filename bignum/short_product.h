// The kept part of a product: myMul keeps only the leading digits of a
// product, so the columns below them need not be formed, provided the carry
// they would send up can be bounded.
#pragma once

#include <cstdint>

#include "bignum/limb_product.h"

// a * b (digit strings, most significant first, leading digits nonzero) in
// base-10^8 limbs into out, of which every limb that can hold one of the
// product's first `keep` digits is exact; lower limbs may be anything. Only
// the columns from two limbs below the lowest such limb up are summed; when
// the two guard limbs lie so close to a carry that the columns left out could
// change them, the whole product is formed instead. Cost: the summed cells
// only, about half the schoolbook's when keep is near the operands' length.
void limbProductKept(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, int32_t keep, ProductLimbs& out);

// The schoolbook over columns `from` and up only: out[from .. nx+ny-1] is the
// sum of those columns' cells, carried in base 10^8 upwards from column
// `from`; out[0 .. from-1] is zero. column: nx + ny words of scratch.
void limbProductSchoolbookFrom(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, int32_t from,
                               uint32_t* out, uint64_t* column);
