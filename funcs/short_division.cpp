#include "funcs/short_division.h"

#include <algorithm>
#include <cstring>

#include "bignum/digit_blocks.h"
#include "bignum/globals.h"
#include "bignum/scratch_digits.h"
#include "funcs/long_division.h"

namespace {

constexpr uint64_t kChunk = 100000000; // 10^8: eight digits

// Whether the base-10000 long division, scaling dividend and divisor by m,
// sees its dividend gain a limb in front: m * 0.d0 d1 d2 ... >= 1. Decided
// digit by digit; `need` is what is still missing to reach 1, in units of
// the current digit, and the digits still to come add less than m of them.
bool scalingCarries(const int32_t* d, int64_t count, int32_t m)
{
    if (m <= 1)
        return false;
    int64_t need = 1;
    for (int64_t i = 0; i < count; ++i) {
        need = need * 10 - static_cast<int64_t>(d[i]) * m;
        if (need <= 0)
            return true;
        if (need >= m)
            return false;
    }
    return false;
}

// Eight digits of d from index i on as one number, zeros past count.
uint64_t chunkAt(const int32_t* d, int64_t count, int64_t i)
{
    if (i + kDigitBlock <= count)
        return static_cast<uint64_t>(blockOf(d + i));
    uint64_t v = 0;
    for (int64_t k = i; k < i + kDigitBlock; ++k)
        v = v * 10 + (k < count ? static_cast<uint64_t>(d[k]) : 0);
    return v;
}

// v / d and its remainder for v < 2^64 and d < 10^8. The quotient comes
// from a floating-point estimate, off by at most one either way, and is
// settled by the remainder: far cheaper than the integer divide.
struct QuotientRemainder {
    uint64_t q;
    uint64_t r;
};

QuotientRemainder divideBy(uint64_t v, uint64_t d, double inverse)
{
    auto q = static_cast<uint64_t>(static_cast<double>(v) * inverse);
    auto r = static_cast<int64_t>(v - q * d);
    while (r < 0) {
        --q;
        r += static_cast<int64_t>(d);
    }
    while (r >= static_cast<int64_t>(d)) {
        ++q;
        r -= static_cast<int64_t>(d);
    }
    return {q, static_cast<uint64_t>(r)};
}

// The quotient's digits before they become a record.
struct ShortQuotientScratch;
int32_t* quotientBuffer(int64_t digits) { return scratchDigits<ShortQuotientScratch>(digits); }

} // namespace

BigNum shortDivide(const DigitSpan& a, const DigitSpan& b, int32_t quotientLimbs, bool positive)
{
    // The limbs longDivide would form: the divisor's L, the dividend's first
    // Q - 1 (the last quotient limb reaches that far).
    const int64_t L = (static_cast<int64_t>(b.count) + 3) / 4;
    const int64_t K = std::max(quotientLimbs, 1);
    const int64_t Q = L + K;
    const int64_t aDigits = std::min<int64_t>(a.count, 4 * (Q - 1));

    uint64_t divisor = 0;
    for (int64_t k = 0; k < 4 * L; ++k)
        divisor = divisor * 10 + (k < b.count ? static_cast<uint64_t>(b.digits[k]) : 0);
    int32_t t = 0;
    for (int32_t k = 0; k < 8; ++k)
        t = t * 10 + (k < b.count ? b.digits[k] : 0);
    // When its normalising scale makes the dividend carry into a new limb,
    // longDivide's window ends one limb earlier: its quotient is that of the
    // dividend without its last limb.
    const bool carried = scalingCarries(a.digits, aDigits, normalisationMultiplier(t));

    // trunc(A / divisor) for the dividend's digits A padded to 4(Q - 1),
    // eight digits at a time (four first when the count is not a multiple
    // of eight); the remainder stays below the divisor, under 10^8.
    const int64_t n = 4 * (Q - 1);
    int32_t* q = quotientBuffer(n + 8);
    uint64_t r = 0;
    int64_t i = 0;
    if (n % 8 != 0) {
        uint64_t v = 0;
        for (int64_t k = 0; k < 4; ++k)
            v = v * 10 + (k < aDigits ? static_cast<uint64_t>(a.digits[k]) : 0);
        const uint64_t part = v / divisor;
        r = v - part * divisor;
        std::memcpy(q, &digitTable[4 * part], 4 * sizeof(int32_t));
        i = 4;
    }
    const double inverse = 1.0 / static_cast<double>(divisor);
    for (; i < n; i += kDigitBlock) {
        const QuotientRemainder step = divideBy(r * kChunk + chunkAt(a.digits, aDigits, i), divisor, inverse);
        r = step.r;
        writeBlock(static_cast<int32_t>(step.q), q + i);
    }
    const int64_t digits = carried ? n - 4 : n;
    // The last digit's weight is that of the dividend's last digit used over
    // the divisor's last digit.
    const int64_t last = (a.high - n + 1 + (carried ? 4 : 0)) - (b.high - 4 * L + 1);
    return sciFromDigits(q, digits, last + digits - 1, positive, static_cast<int32_t>(4 * K));
}
