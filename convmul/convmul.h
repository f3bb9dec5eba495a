// Interface of libconvmul.so, the exact product of two long non-negative
// integers held as base-1000 limbs. The calculator binds the export by name at
// run time; this header only fixes the type both sides agree on.
//
// multyplyFFT(a, b, na, nb):
//   a   in/out  *na limbs 0..999, most significant first; receives the product,
//               so the buffer must hold *na + *nb limbs
//   b   in      *nb limbs 0..999, most significant first
//   na  in/out  limb count of a; receives the index of the product's most
//               significant limb (product limb count - 1); a zero product is
//               the single limb 0 with index 0
//   nb  in      limb count of b
// Returns 0. Counts outside 1 .. CONVMUL_MAX_LIMBS are refused with -1 and
// nothing is written. Not reentrant: the work arrays are static.
#pragma once

#include <stdint.h>

#define CONVMUL_EXPORT_NAME "multyplyFFT"

// Longest operand, in limbs, the work arrays hold.
#define CONVMUL_MAX_LIMBS 65536

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t (*ConvmulMultiplyFn)(int32_t* a, const int32_t* b, int32_t* na, const int32_t* nb);

#ifdef __cplusplus
}
#endif
