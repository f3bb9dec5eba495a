// What the passes between the transforms use of the processor: builds of
// a function for processors with AVX2 and FMA next to the plain x86-64 one,
// and loops written for AVX2 and FMA, taken where the processor has them.
#pragma once

// Functions built twice, for processors with AVX2 and FMA and for any
// x86-64, the loader binding the one that fits: the same SSE2 code in the
// three-operand AVX encoding needs no register copies, and products fuse with
// their sums (measured: the folds and the column pass 18 % fewer
// instructions). GCC only: clang reads the list differently and leaves
// calls from other files unresolved.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define CONVMUL_AVX2_CLONES __attribute__((target_clones("avx2,fma", "default")))
#else
#define CONVMUL_AVX2_CLONES
#endif

// The main loops of the folds and of the column pass have a version with
// four lanes (AVX2 and FMA intrinsics, built for those processors only), run
// where this says so; the two-lane SSE2 loops take the rest.
#if defined(__x86_64__) && defined(__GNUC__)
#define CONVMUL_FOUR_LANES 1
#include <immintrin.h>

// Whether the processor has AVX2 and FMA (asked at the first call).
bool fourLanesUsable();
#endif
