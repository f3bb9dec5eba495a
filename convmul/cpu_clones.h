// Functions built once per kind of processor.
#pragma once

// The passes between the transforms are built twice, for processors with
// AVX2 and FMA and for any x86-64, and the loader binds the one that fits:
// the same SSE2 code in the three-operand AVX encoding needs no register
// copies, and products fuse with their sums (measured: the folds and the
// column pass 18 % fewer instructions).
#if defined(__x86_64__) && defined(__GNUC__)
#define CONVMUL_AVX2_CLONES __attribute__((target_clones("avx2,fma", "default")))
#else
#define CONVMUL_AVX2_CLONES
#endif
