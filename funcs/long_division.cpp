#include "funcs/long_division.h"

#include <algorithm>
#include <vector>

#include "bignum/globals.h"

namespace {

constexpr int32_t kBase = kLimbBase;
constexpr int32_t kPrefixLimit = 100000000; // 10^8: eight digits

// Limbs of the digit string d[0 .. count-1], zero-padded on the right:
// out[i] holds the digits 4i .. 4i+3.
void packDigits(const int32_t* d, int64_t count, int32_t* out, int64_t limbs)
{
    const int64_t whole = std::min<int64_t>(count / 4, limbs);
    for (int64_t i = 0; i < whole; ++i) {
        const int32_t* g = d + 4 * i;
        out[i] = ((g[0] * 10 + g[1]) * 10 + g[2]) * 10 + g[3];
    }
    if (whole < limbs && 4 * whole < count) {
        int32_t v = 0;
        for (int64_t k = 4 * whole; k < 4 * whole + 4; ++k)
            v = v * 10 + (k < count ? d[k] : 0);
        out[whole] = v;
    }
}

// limbs[0 .. count-1] times m, last limb first; returns the carry out of limbs[0].
int32_t scaleLimbs(int32_t* limbs, int64_t count, int32_t m)
{
    int32_t carry = 0;
    for (int64_t i = count - 1; i >= 0; --i) {
        const int32_t v = limbs[i] * m + carry;
        carry = v / kBase;
        limbs[i] = v - carry * kBase;
    }
    return carry;
}

// One quotient limb: divides the window w[0 .. L] by v[0 .. L] (v[0] = 0),
// leaves the remainder in the window and returns the limb. The window is
// below v * 10000 on entry, so the limb is at most 9999.
int32_t quotientLimb(int32_t* w, const int32_t* v, int64_t L)
{
    // The remainder's top two limbs read as one value, against the divisor's
    // first limb.
    const int32_t top = w[0] * kBase + w[1];
    int32_t qhat = 0;
    if (top > v[1]) {
        // Five leading digits of each side; never below the true limb, and
        // with v[1] >= 5000 at most two above it.
        // top < (v[1] + 1) * 10^4 <= 10^8, so both fit 32 bits.
        const uint32_t num = 10 * static_cast<uint32_t>(top) + static_cast<uint32_t>(L >= 2 ? w[2] / 1000 : 0);
        const uint32_t den = 10 * static_cast<uint32_t>(v[1]) + static_cast<uint32_t>(L >= 2 ? v[2] / 1000 : 0);
        qhat = static_cast<int32_t>(std::min<uint32_t>(num / den, kBase - 1));
    } else if (top == v[1]) {
        int64_t i = 2;
        while (i <= L && w[i] == v[i])
            ++i;
        qhat = (i > L || w[i] > v[i]) ? 1 : 0;
    }
    if (qhat == 0)
        return 0;

    // Multiply-subtract: w -= qhat * v.
    int32_t carry = 0;
    int32_t borrow = 0;
    for (int64_t i = L; i >= 1; --i) {
        int32_t p = qhat * v[i] + carry;
        carry = p / kBase;
        p -= carry * kBase;
        int32_t d = w[i] - p - borrow;
        borrow = d < 0 ? 1 : 0;
        w[i] = d + borrow * kBase;
    }
    w[0] -= carry + borrow;

    // The trial limb was too large while the window is negative: add back.
    while (w[0] < 0) {
        int32_t c = 0;
        for (int64_t i = L; i >= 1; --i) {
            int32_t s = w[i] + v[i] + c;
            c = s >= kBase ? 1 : 0;
            w[i] = s - c * kBase;
        }
        w[0] += c;
        --qhat;
    }
    return qhat;
}

} // namespace

int32_t normalisationMultiplier(int32_t t)
{
    int32_t m = 0;
    for (int32_t j = 1; j <= 10; ++j)
        if (static_cast<int64_t>(t) * j >= kPrefixLimit) {
            m = j - 1;
            break;
        }
    // The digits after the first eight, times m, carry at most m - 1 into the
    // scaled prefix; should that reach 10^8 the divisor would gain a limb.
    if (m > 1 && static_cast<int64_t>(t) * m + (m - 1) >= kPrefixLimit)
        --m;
    return m;
}

BigNum longDivide(const DigitSpan& a, const DigitSpan& b, int32_t quotientLimbs, bool positive, int32_t keep)
{
    const int64_t L = (static_cast<int64_t>(b.count) + 3) / 4;
    const int64_t K = std::max(quotientLimbs, 1);
    const int64_t Q = L + K; // window limbs plus one new dividend limb per quotient limb

    // Divisor: v[0] = 0, v[1 .. L] its limbs, the first starting with its
    // leading digit; v[L + 1] = 0 so that a one-limb divisor reads a zero
    // second limb.
    std::vector<int32_t> v(static_cast<size_t>(L) + 2, 0);
    packDigits(b.digits, b.count, v.data() + 1, L);
    int32_t t = 0;
    for (int32_t k = 0; k < 8; ++k)
        t = t * 10 + (k < b.count ? b.digits[k] : 0);
    const int32_t m = normalisationMultiplier(t);

    // Dividend: u[2 ..] its leading limbs, u[1] the limb the scaling may carry
    // into, u[0] = 0. Only the first Q - 1 limbs can reach a quotient limb.
    std::vector<int32_t> u(static_cast<size_t>(Q) + 2, 0);
    const int64_t aLimbs = std::min<int64_t>((static_cast<int64_t>(a.count) + 3) / 4, Q - 1);
    packDigits(a.digits, a.count, u.data() + 2, aLimbs);
    if (m > 1) {
        scaleLimbs(v.data() + 1, L, m); // carries nothing: see normalisationMultiplier
        u[1] = scaleLimbs(u.data() + 2, aLimbs, m);
    }
    // The dividend window starts with a zero limb in front of the dividend's
    // first limb (the carry limb when the scaling produced one).
    const bool carried = u[1] != 0;
    int32_t* base = carried ? u.data() : u.data() + 1;
    const int64_t topWeight = a.high + (carried ? 4 : 0);

    std::vector<int32_t> digits(static_cast<size_t>(4 * K));
    for (int64_t j = 0; j < K; ++j) {
        const int32_t q = quotientLimb(base + j, v.data(), L);
        const int32_t* d = &digitTable[4 * q];
        std::copy(d, d + 4, digits.begin() + 4 * j);
    }

    // The dividend's last limb used ends at 10^lastA, the divisor's at
    // 10^lastB; the quotient's last digit has the weight of their ratio.
    const int64_t lastA = topWeight - 4 * (Q - 1) + 1;
    const int64_t lastB = b.high - 4 * L + 1;
    const int64_t firstQ = lastA - lastB + 4 * K - 1;
    return sciFromDigits(digits.data(), 4 * K, firstQ, positive, keep);
}
