// Exact products of non-negative integers given as decimal digit strings (one
// digit value per element, most significant first), and the conversions
// between such strings and wide limbs that the product methods work on.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "bignum/globals.h"
#include "bignum/limb_digits.h"

// Limbs of K decimal digits, least significant first, from the digit string
// d[0 .. n-1]; `count` limbs are written (the most significant one padded
// with zeros in front).
template <int K>
void digitsToLimbs(const int32_t* d, int32_t n, uint32_t* out, int32_t count)
{
    static_assert(K == 3 || K == 4 || K == 8, "limbs of 3, 4 or 8 digits");
    // Whole limbs first: limb i is d[n - K(i+1) .. n - Ki - 1].
    const int32_t whole = std::min(count, n / K);
    if constexpr (K == 8) {
        limbsFromDigits8(d + n, whole, out);
    } else {
        const int32_t* last = d + n - K;
        for (int32_t i = 0; i < whole; ++i) {
            const int32_t* p = last - static_cast<int64_t>(K) * i;
            uint32_t v = static_cast<uint32_t>((p[0] * 10 + p[1]) * 10 + p[2]);
            if constexpr (K == 4)
                v = v * 10 + static_cast<uint32_t>(p[3]);
            out[i] = v;
        }
    }
    // Then the leading limb that has fewer than K digits, and zero limbs.
    for (int32_t i = whole; i < count; ++i) {
        const int32_t end = n - K * i;
        uint32_t v = 0;
        for (int32_t m = 0; m < end; ++m)
            v = v * 10 + static_cast<uint32_t>(d[m]);
        out[i] = v;
    }
}

// Product of two limb strings of base 10^8, least significant first, into
// nx + ny limbs, by the schoolbook method. Exact for any lengths. The second
// form sums its columns in the caller's nx + ny words.
void limbProductSchoolbook(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out);
void limbProductSchoolbook(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out,
                           uint64_t* column);

// Rows the schoolbook kernels add to their 64-bit column sums between two
// carry passes: a column below 10^8 plus 1024 products below 10^16 stays
// inside 64 bits (each row adds one product to a column).
constexpr int32_t kRowsBetweenCarries = 1024;

constexpr uint64_t kLimbBase8 = 100000000;

// Carries column[from .. count) in base 10^8, upwards from `from`.
inline void carryColumnsFrom(uint64_t* column, int32_t from, int32_t count)
{
    uint64_t carry = 0;
    for (int32_t k = from; k < count; ++k) {
        const uint64_t v = column[k] + carry;
        carry = v / kLimbBase8;
        column[k] = v - carry * kLimbBase8;
    }
}

// A product as limbs of digitsPerLimb (3, 4 or 8) decimal digits, least
// significant first; leading zero limbs possible.
struct ProductLimbs {
    std::vector<uint32_t> limbs;
    int digitsPerLimb = 8;
};

// The exact methods: the schoolbook alone, or the schoolbook for short
// operands and Karatsuba's method from kKaratsubaMinLimbs limbs on.
enum class ExactProduct { Schoolbook, BySize };

// a * b of two digit strings (most significant first) exactly, in base 10^8.
void limbProductExact(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, ProductLimbs& out,
                      ExactProduct method);

// The scientific record of a nonzero product whose last limb digit has the
// weight 10^low, cut to `keep` digits: only the kept digits are written out.
BigNum sciFromProductLimbs(const ProductLimbs& p, int64_t low, bool positive, int32_t keep);
