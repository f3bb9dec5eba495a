// The last step of the four-lane folds (product_fold.cpp and
// kept_operand_fold.cpp), the same for both: X + i Y of k .. k + 3 become the
// folded values (X_r - Y_i) + i (X_i + Y_r) at places k .. k + 3 and
// (X_r + Y_i) + i (Y_r - X_i) at places M - k - 3 .. M - k of the
// interleaved array wa (j = M - k), each times `scale`.
#pragma once

#include "convmul/cpu_features.h"

#ifdef CONVMUL_FOUR_LANES
__attribute__((target("avx2,fma"))) inline void storeFolded(double* wa, int32_t k, int32_t j, __m256d xr, __m256d xi,
                                                            __m256d yr, __m256d yi, __m256d scale)
{
    const __m256d lowRe = _mm256_mul_pd(_mm256_sub_pd(xr, yi), scale);
    const __m256d lowIm = _mm256_mul_pd(_mm256_add_pd(xi, yr), scale);
    // Places M - k - 3 .. M - k in memory order.
    const __m256d highRe = _mm256_permute4x64_pd(_mm256_mul_pd(_mm256_add_pd(xr, yi), scale), 0x1b);
    const __m256d highIm = _mm256_permute4x64_pd(_mm256_mul_pd(_mm256_sub_pd(yr, xi), scale), 0x1b);
    const __m256d low0 = _mm256_unpacklo_pd(lowRe, lowIm), low1 = _mm256_unpackhi_pd(lowRe, lowIm);
    const __m256d high0 = _mm256_unpacklo_pd(highRe, highIm), high1 = _mm256_unpackhi_pd(highRe, highIm);
    _mm256_storeu_pd(wa + 2 * k, _mm256_permute2f128_pd(low0, low1, 0x20));
    _mm256_storeu_pd(wa + 2 * k + 4, _mm256_permute2f128_pd(low0, low1, 0x31));
    _mm256_storeu_pd(wa + 2 * j - 6, _mm256_permute2f128_pd(high0, high1, 0x20));
    _mm256_storeu_pd(wa + 2 * j - 2, _mm256_permute2f128_pd(high0, high1, 0x31));
}
#endif
