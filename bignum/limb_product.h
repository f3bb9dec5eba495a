// Exact products of non-negative integers given as decimal digit strings (one
// digit value per element, most significant first), and the conversions
// between such strings and wide limbs that the product methods work on.
#pragma once

#include <cstdint>
#include <vector>

#include "globals.h"

// Limbs of K decimal digits, least significant first, from the digit string
// d[0 .. n-1]; `count` limbs are written (the most significant one padded
// with zeros in front).
template <int K>
void digitsToLimbs(const int32_t* d, int32_t n, uint32_t* out, int32_t count)
{
    int32_t end = n; // digits d[end - K .. end - 1] form the next limb
    for (int32_t i = 0; i < count; ++i, end -= K) {
        uint32_t v = 0;
        if (end >= K) {
            const int32_t* p = d + end - K;
            for (int m = 0; m < K; ++m)
                v = v * 10 + static_cast<uint32_t>(p[m]);
        } else {
            for (int32_t m = 0; m < end; ++m)
                v = v * 10 + static_cast<uint32_t>(d[m]);
        }
        out[i] = v;
    }
}

// The digit string, most significant first, of `count` limbs of K digits
// given least significant first; writes K * count digits.
template <int K>
void limbsToDigits(const uint32_t* limbs, int32_t count, int32_t* out)
{
    for (int32_t i = 0; i < count; ++i) {
        int32_t* p = out + static_cast<int64_t>(count - 1 - i) * K;
        uint32_t v = limbs[i];
        if constexpr (K == 4) {
            const int32_t* t = &digitTable[4 * v];
            p[0] = t[0], p[1] = t[1], p[2] = t[2], p[3] = t[3];
        } else if constexpr (K == 8) {
            const int32_t* hi = &digitTable[4 * (v / 10000)];
            const int32_t* lo = &digitTable[4 * (v % 10000)];
            p[0] = hi[0], p[1] = hi[1], p[2] = hi[2], p[3] = hi[3];
            p[4] = lo[0], p[5] = lo[1], p[6] = lo[2], p[7] = lo[3];
        } else {
            for (int m = K - 1; m >= 0; --m) {
                p[m] = static_cast<int32_t>(v % 10);
                v /= 10;
            }
        }
    }
}

// Product of two limb strings of base 10^8, least significant first, into
// nx + ny limbs, by the schoolbook method. Exact for any lengths.
void limbProductSchoolbook(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out);

// The digits of a * b into `out` (resized; leading zeros possible), by the
// schoolbook method in base 10^8.
void digitProductSchoolbook(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, std::vector<int32_t>& out);
