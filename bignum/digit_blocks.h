// Eight one-digit limbs at a time: the sum or difference of two runs of eight
// digits read as one number below 10^8 in magnitude, and such a number
// written back as eight digits. A carry then crosses eight digits in one step
// instead of one, and reading and writing take a few vector instructions
// (SSE2: the digits are weighted 1000, 100, 10, 1 by a multiply-add of their
// low halves) instead of a chain of multiply-adds.
#pragma once

#include <cstdint>
#include <cstring>

#include "bignum/globals.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

constexpr int32_t kDigitBlock = 8;
constexpr int32_t kDigitBlockBase = 100000000; // 10^8

#if defined(__SSE2__)
// sum over the eight lanes of high (digits 0..3) and low (digits 4..7) of
// lane * 10^(7 - position); lanes are small signed values (-18 .. 18).
inline int32_t blockValue(__m128i high, __m128i low)
{
    const __m128i weights = _mm_setr_epi16(1000, 0, 100, 0, 10, 0, 1, 0);
    const __m128i s = _mm_madd_epi16(high, weights);
    const __m128i t = _mm_madd_epi16(low, weights);
    // [s0 + s2, s1 + s3, t0 + t2, t1 + t3], then [S, S, T, T].
    const __m128i u = _mm_add_epi32(_mm_unpacklo_epi64(s, t), _mm_unpackhi_epi64(s, t));
    const __m128i w = _mm_add_epi32(u, _mm_shuffle_epi32(u, 0xB1));
    return _mm_cvtsi128_si32(w) * 10000 + _mm_cvtsi128_si32(_mm_shuffle_epi32(w, 0xAA));
}

inline __m128i loadDigits(const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// x[0..7] + y[0..7] as numbers.
inline int32_t blockSum(const int32_t* x, const int32_t* y)
{
    return blockValue(_mm_add_epi32(loadDigits(x), loadDigits(y)), _mm_add_epi32(loadDigits(x + 4), loadDigits(y + 4)));
}

// x[0..7] - y[0..7] as numbers.
inline int32_t blockDifference(const int32_t* x, const int32_t* y)
{
    return blockValue(_mm_sub_epi32(loadDigits(x), loadDigits(y)), _mm_sub_epi32(loadDigits(x + 4), loadDigits(y + 4)));
}

// y[0..7] as a number.
inline int32_t blockOf(const int32_t* y) { return blockValue(loadDigits(y), loadDigits(y + 4)); }
#else
inline int32_t blockOf(const int32_t* y)
{
    int32_t v = 0;
    for (int32_t k = 0; k < kDigitBlock; ++k)
        v = v * 10 + y[k];
    return v;
}

inline int32_t blockSum(const int32_t* x, const int32_t* y) { return blockOf(x) + blockOf(y); }

inline int32_t blockDifference(const int32_t* x, const int32_t* y) { return blockOf(x) - blockOf(y); }
#endif

// Writes 0 <= v < 10^8 as eight digits to out[0..7].
inline void writeBlock(int32_t v, int32_t* out)
{
    const int32_t high = v / 10000;
    std::memcpy(out, &digitTable[static_cast<size_t>(4 * high)], 4 * sizeof(int32_t));
    std::memcpy(out + 4, &digitTable[static_cast<size_t>(4 * (v - 10000 * high))], 4 * sizeof(int32_t));
}
