// Rounding: adding 1.5 * 2^52 to a double below 2^51 leaves its nearest
// integer in the low bits of the sum, so subtracting it again gives the
// rounded value as a double (for the distance) and subtracting its bit
// pattern gives it as an integer, both without a conversion instruction and
// two columns at a time in SSE2 registers.
//
// Carrying: columns are taken in pairs, as one base-10^8 step: a column is
// below 2^47, so a pair with its carry stays below 2^64, and the carry chain
// that runs through all columns holds one division (a multiplication by the
// reciprocal, as the divisor is a constant) per two columns instead of one
// per column.

#include "convmul/column_carry.h"

#include "convmul/cpu_features.h"

#include <math.h>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace {

constexpr uint32_t kBase = 10000;
constexpr uint64_t kPairBase = uint64_t{kBase} * kBase;
constexpr double kRoundingShift = 6755399441055744.0; // 1.5 * 2^52

// One step of the chain: the pair's base-10^8 digit goes to out[0].
inline uint64_t carryPair(uint64_t low, uint64_t high, uint64_t carry, uint32_t* out)
{
    const uint64_t sum = low + high * kBase + carry;
    const uint64_t next = sum / kPairBase;
    out[0] = static_cast<uint32_t>(sum - next * kPairBase);
    return next;
}

// The base-10^8 digits at product[0], product[2], ... split into their two
// limbs, off the chain, so that the compiler takes many at once.
CONVMUL_AVX2_CLONES void splitPairs(uint32_t* product, int32_t pairs)
{
    for (int32_t i = 0; i < pairs; ++i) {
        const uint32_t digit = product[2 * i];
        const uint32_t upper = digit / kBase;
        product[2 * i] = digit - upper * kBase;
        product[2 * i + 1] = upper;
    }
}

// A column rounded to the nearest non-negative integer (a zero column may
// come out a hair below zero); its distance from it raises `worst`.
inline uint64_t roundColumn(double v, double& worst)
{
    const double shifted = (v > 0.0 ? v : 0.0) + kRoundingShift;
    const double rounded = shifted - kRoundingShift;
    const double e = fabs(v - rounded);
    worst = e > worst ? e : worst;
    return static_cast<uint64_t>(rounded);
}

#ifdef CONVMUL_FOUR_LANES
// The rounding of carryColumns four columns at a time, for processors with
// AVX2; carries and returns the first column left, `carry` and `worst`
// updated.
__attribute__((target("avx2"))) int32_t carryFourAtATime(const double* column, int32_t columns, uint32_t* product,
                                                        uint64_t& carry, double& worst)
{
    const __m256d shift = _mm256_set1_pd(kRoundingShift);
    const __m256i shiftBits = _mm256_castpd_si256(shift);
    const __m256d zero = _mm256_setzero_pd(), signBit = _mm256_set1_pd(-0.0);
    __m256d worstFour = zero;
    int32_t k = 0;
    for (; k + 4 <= columns; k += 4) {
        const __m256d v = _mm256_loadu_pd(column + k);
        const __m256d shifted = _mm256_add_pd(_mm256_max_pd(v, zero), shift);
        const __m256d distance = _mm256_andnot_pd(signBit, _mm256_sub_pd(v, _mm256_sub_pd(shifted, shift)));
        worstFour = _mm256_max_pd(worstFour, distance);
        const __m256i rounded = _mm256_sub_epi64(_mm256_castpd_si256(shifted), shiftBits);
        const __m128i low = _mm256_castsi256_si128(rounded), high = _mm256_extracti128_si256(rounded, 1);
        carry = carryPair(static_cast<uint64_t>(_mm_cvtsi128_si64(low)),
                          static_cast<uint64_t>(_mm_extract_epi64(low, 1)), carry, product + k);
        carry = carryPair(static_cast<uint64_t>(_mm_cvtsi128_si64(high)),
                          static_cast<uint64_t>(_mm_extract_epi64(high, 1)), carry, product + k + 2);
    }
    const __m128d pairs = _mm_max_pd(_mm256_castpd256_pd128(worstFour), _mm256_extractf128_pd(worstFour, 1));
    const double lanes = _mm_cvtsd_f64(_mm_max_pd(pairs, _mm_unpackhi_pd(pairs, pairs)));
    worst = lanes > worst ? lanes : worst;
    return k;
}

#endif

} // namespace

CONVMUL_AVX2_CLONES double carryColumns(const double* column, int32_t columns, uint32_t* product)
{
    double worst = 0.0;
    uint64_t carry = 0;
    int32_t k = 0;
#ifdef CONVMUL_FOUR_LANES
    if (fourLanesUsable())
        k = carryFourAtATime(column, columns, product, carry, worst);
#endif
#if defined(__SSE2__) && defined(__x86_64__)
    const __m128d shift = _mm_set1_pd(kRoundingShift);
    const __m128i shiftBits = _mm_castpd_si128(shift);
    const __m128d zero = _mm_setzero_pd(), signBit = _mm_set1_pd(-0.0);
    __m128d worstPair = zero;
    // One pair of columns: the two rounded as integers, in one register.
    const auto roundPair = [&](const double* at) {
        const __m128d v = _mm_loadu_pd(at);
        const __m128d shifted = _mm_add_pd(_mm_max_pd(v, zero), shift);
        const __m128d distance = _mm_andnot_pd(signBit, _mm_sub_pd(v, _mm_sub_pd(shifted, shift)));
        worstPair = _mm_max_pd(worstPair, distance);
        return _mm_sub_epi64(_mm_castpd_si128(shifted), shiftBits);
    };
    for (; k + 4 <= columns; k += 4) {
        const __m128i first = roundPair(column + k), second = roundPair(column + k + 2);
        carry = carryPair(static_cast<uint64_t>(_mm_cvtsi128_si64(first)),
                          static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(first, first))), carry, product + k);
        carry = carryPair(static_cast<uint64_t>(_mm_cvtsi128_si64(second)),
                          static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(second, second))), carry,
                          product + k + 2);
    }
    worstPair = _mm_max_pd(worstPair, _mm_unpackhi_pd(worstPair, worstPair));
    worst = _mm_cvtsd_f64(worstPair) > worst ? _mm_cvtsd_f64(worstPair) : worst;
#endif
    for (; k + 1 < columns; k += 2) {
        const uint64_t low = roundColumn(column[k], worst);
        carry = carryPair(low, roundColumn(column[k + 1], worst), carry, product + k);
    }
    splitPairs(product, k / 2);
    if (k < columns) {
        const uint64_t sum = roundColumn(column[k], worst) + carry;
        carry = sum / kBase;
        product[k] = static_cast<uint32_t>(sum - carry * kBase);
    }
    // The product is below 10000^(na + nb): the rest fits one limb.
    product[columns] = static_cast<uint32_t>(carry);
    return worst;
}
