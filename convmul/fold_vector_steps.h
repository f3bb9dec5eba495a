// The first and last steps of the vector folds (product_fold.cpp and
// kept_operand_fold.cpp), the same for both, four lanes (AVX2) and two (SSE2).
// fourHalves and twoHalves load; storeFolded and storeFoldedTwo store: X + i Y of k .. k + 3 become the
// folded values (X_r - Y_i) + i (X_i + Y_r) at places k .. k + 3 and
// (X_r + Y_i) + i (Y_r - X_i) at places M - k - 3 .. M - k of the
// interleaved array wa (j = M - k), each times `scale`.
#pragma once

#include "convmul/cpu_features.h"

#ifdef __SSE2__
#include <emmintrin.h>

// E and D (doubled) of k and k + 1 from a half transform stored exchanged (the
// low halves are the imaginary parts), at k, k + 1, M - k and M - k - 1.
inline void twoHalves(const double* w, int32_t k, int32_t j, __m128d& er, __m128d& ei, __m128d& dr, __m128d& di)
{
    const __m128d x0 = _mm_load_pd(w + 2 * k), x1 = _mm_load_pd(w + 2 * k + 2);
    const __m128d y0 = _mm_load_pd(w + 2 * j), y1 = _mm_load_pd(w + 2 * j - 2);
    const __m128d ui = _mm_unpacklo_pd(x0, x1), ur = _mm_unpackhi_pd(x0, x1);
    const __m128d vi = _mm_unpacklo_pd(y0, y1), vr = _mm_unpackhi_pd(y0, y1);
    er = _mm_add_pd(ur, vr);
    ei = _mm_sub_pd(ui, vi);
    dr = _mm_add_pd(ui, vi);
    di = _mm_sub_pd(vr, ur);
}

inline void storeFoldedTwo(double* wa, int32_t k, int32_t j, __m128d xr, __m128d xi, __m128d yr, __m128d yi,
                           __m128d scale)
{
    const __m128d lowRe = _mm_mul_pd(_mm_sub_pd(xr, yi), scale), lowIm = _mm_mul_pd(_mm_add_pd(xi, yr), scale);
    const __m128d highRe = _mm_mul_pd(_mm_add_pd(xr, yi), scale), highIm = _mm_mul_pd(_mm_sub_pd(yr, xi), scale);
    _mm_store_pd(wa + 2 * k, _mm_unpacklo_pd(lowRe, lowIm));
    _mm_store_pd(wa + 2 * k + 2, _mm_unpackhi_pd(lowRe, lowIm));
    _mm_store_pd(wa + 2 * j, _mm_unpacklo_pd(highRe, highIm));
    _mm_store_pd(wa + 2 * j - 2, _mm_unpackhi_pd(highRe, highIm));
}
#endif

#ifdef CONVMUL_FOUR_LANES
// E and D (doubled) of k .. k + 3 from a half spectrum stored exchanged, at
// k .. k + 3 and M - k down to M - k - 3. Loads of four complex values come
// out with their parts in the lane order k, k + 2, k + 1, k + 3, put right by
// one permutation.
__attribute__((target("avx2,fma"))) inline void fourHalves(const double* w, int32_t k, int32_t j, __m256d& er,
                                                          __m256d& ei, __m256d& dr, __m256d& di)
{
    const __m256d x0 = _mm256_loadu_pd(w + 2 * k), x1 = _mm256_loadu_pd(w + 2 * k + 4);
    const __m256d y0 = _mm256_loadu_pd(w + 2 * j - 2), y1 = _mm256_loadu_pd(w + 2 * j - 6);
    const __m256d ui = _mm256_permute4x64_pd(_mm256_unpacklo_pd(x0, x1), 0xd8);
    const __m256d ur = _mm256_permute4x64_pd(_mm256_unpackhi_pd(x0, x1), 0xd8);
    const __m256d vi = _mm256_permute4x64_pd(_mm256_unpacklo_pd(y0, y1), 0x72);
    const __m256d vr = _mm256_permute4x64_pd(_mm256_unpackhi_pd(y0, y1), 0x72);
    er = _mm256_add_pd(ur, vr);
    ei = _mm256_sub_pd(ui, vi);
    dr = _mm256_add_pd(ui, vi);
    di = _mm256_sub_pd(vr, ur);
}

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
