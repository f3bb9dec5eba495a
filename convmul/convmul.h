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
#define CONVMUL_FAST_EXPORT_NAME "convmulMultiply10k"
#define CONVMUL_DIGITS_EXPORT_NAME "convmulMultiplyDigits"
#define CONVMUL_ERROR_EXPORT_NAME "convmulLastRoundingError"

// Longest operand, in limbs, the work arrays hold.
#define CONVMUL_MAX_LIMBS 65536
#define CONVMUL_MAX_LIMBS_10K 1048576

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t (*ConvmulMultiplyFn)(int32_t* a, const int32_t* b, int32_t* na, const int32_t* nb);

// convmulMultiply10k(a, na, b, nb, product): the faster entry the calculator
// prefers when the library has it.
//   a, b     na and nb limbs 0..9999, least significant first
//   product  receives na + nb limbs, least significant first (leading zero
//            limbs included)
// Returns the largest distance of a convolution column from the nearest
// integer before rounding, the measure of the transform's rounding error: a
// value above one quarter means the product may be wrong and must be formed
// again by an exact method. Counts outside 1 .. CONVMUL_MAX_LIMBS_10K are
// refused with -1 and nothing is written; so is every call when FFTW
// (libfftw3.so.3, loaded at the first call) is missing. Not reentrant.
// convmulLastRoundingError(): the largest distance of a convolution column
// from the nearest integer in the last multyplyFFT call (0 before the first),
// read by callers that want to check the transform's rounding error without
// a change to the base-1000 entry's contract.
typedef double (*ConvmulRoundingErrorFn)(void);

typedef double (*ConvmulMultiply10kFn)(const uint32_t* a, int32_t na, const uint32_t* b, int32_t nb,
                                       uint32_t* product);

// convmulMultiplyDigits(a, na, b, nb, product): the same product for operands
// given as decimal digit strings, the calculator's own form, so that no limb
// copy of them is made first.
//   a, b     na and nb digit values 0..9, most significant first
//   product  receives (na + 3) / 4 + (nb + 3) / 4 base-10000 limbs, least
//            significant first (leading zero limbs included)
// Returns the rounding error as convmulMultiply10k does; refuses (-1) counts
// below 1 or beyond 4 * CONVMUL_MAX_LIMBS_10K digits and every call when
// FFTW is missing. Not reentrant.
typedef double (*ConvmulMultiplyDigitsFn)(const int32_t* a, int32_t na, const int32_t* b, int32_t nb,
                                          uint32_t* product);

#ifdef __cplusplus
}
#endif
