// Loops the compiler vectorises are built twice on x86-64: for AVX2 (four
// 64-bit lanes) and for the SSE2 baseline (two); the loader picks one once,
// by the processor it runs on. Measured on the schoolbook's columns: sin(1) at
// 1,000 digits 9.6M instructions with SSE2, 7.6M with AVX2. GCC only: clang
// (the fuzzing build) leaves calls from other files to such a function
// unresolved, and builds the baseline loop alone.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__ELF__)
#define QUORRA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define QUORRA_VECTOR_CLONES
#endif
