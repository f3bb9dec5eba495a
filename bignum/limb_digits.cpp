#include "bignum/limb_digits.h"

#include <cstring>

#include "bignum/digit_blocks.h"
#include "bignum/globals.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Digits read per vector block: four limbs.
constexpr int32_t kBlockDigits = 32;

__m128i load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
void store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

// Four limbs of base 10^8 from the 32 digits at p, p[0..7] being the most
// significant limb; returned least significant first. Digits are narrowed to
// 16 bits, then adjacent values are joined by multiply-adds with the weights
// (10, 1), (100, 1) and (10000, 1): 2, 4, then 8 digits per value. Packing
// the later digits first leaves the limbs in their order, with no shuffle.
__m128i fourLimbsFromDigits(const int32_t* p)
{
    const __m128i tens = _mm_set1_epi32(0x0001000A);         // 16-bit pairs (10, 1)
    const __m128i hundreds = _mm_set1_epi32(0x00010064);     // (100, 1)
    const __m128i tenThousands = _mm_set1_epi32(0x00012710); // (10000, 1)
    const __m128i pairs0 = _mm_madd_epi16(_mm_packs_epi32(load(p), load(p + 4)), tens);
    const __m128i pairs1 = _mm_madd_epi16(_mm_packs_epi32(load(p + 8), load(p + 12)), tens);
    const __m128i pairs2 = _mm_madd_epi16(_mm_packs_epi32(load(p + 16), load(p + 20)), tens);
    const __m128i pairs3 = _mm_madd_epi16(_mm_packs_epi32(load(p + 24), load(p + 28)), tens);
    // The high and low four digits of the two least significant limbs, then
    // of the two most significant ones.
    const __m128i lowQuads = _mm_madd_epi16(_mm_packs_epi32(pairs3, pairs2), hundreds);
    const __m128i highQuads = _mm_madd_epi16(_mm_packs_epi32(pairs1, pairs0), hundreds);
    return _mm_madd_epi16(_mm_packs_epi32(lowQuads, highQuads), tenThousands);
}
#endif

} // namespace

void limbsFromDigits8(const int32_t* end, int32_t count, uint32_t* out)
{
    int32_t i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= count; i += 4)
        store(out + i, fourLimbsFromDigits(end - 8 * static_cast<int64_t>(i) - kBlockDigits));
#endif
    // The few limbs after the blocks (all of them without SSE2).
    for (; i < count; ++i)
        out[i] = static_cast<uint32_t>(blockOf(end - 8 * static_cast<int64_t>(i) - 8));
}

void digitsFromLimbs(const uint32_t* limbs, int32_t count, int digitsPerLimb, int32_t* out)
{
    // Four digits at a time from the table, one 16-byte copy each; on SSE2
    // this costs fewer instructions than forming the digits in vectors. The
    // loops take four copies per pass, as the copy itself is only a load and
    // a store.
    const int32_t* table = digitTable.data();
    const auto four = [table](int32_t* to, uint32_t v) { std::memcpy(to, table + 4 * v, 4 * sizeof(int32_t)); };
    int32_t i = count - 1;
    if (digitsPerLimb == 8) {
        const auto eight = [&four](int32_t* to, uint32_t v) {
            const uint32_t high = v / 10000;
            four(to, high);
            four(to + 4, v - 10000 * high);
        };
        for (; i >= 1; i -= 2, out += 16) {
            eight(out, limbs[i]);
            eight(out + 8, limbs[i - 1]);
        }
        if (i == 0)
            eight(out, limbs[0]);
    } else if (digitsPerLimb == 4) {
        for (; i >= 3; i -= 4, out += 16) {
            four(out, limbs[i]);
            four(out + 4, limbs[i - 1]);
            four(out + 8, limbs[i - 2]);
            four(out + 12, limbs[i - 3]);
        }
        for (; i >= 0; --i, out += 4)
            four(out, limbs[i]);
    } else {
        // v < 1000 has a leading 0 in its four table digits.
        for (; i >= 0; --i, out += 3)
            std::memcpy(out, table + 4 * limbs[i] + 1, 3 * sizeof(int32_t));
    }
}
