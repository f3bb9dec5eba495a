// Chains of square roots on exact binary integers. Each step does what mySqrt
// does to the digits (cut the radicand to keep digits, pad it with zeros to
// the radicand length, take the integer root rounded down, keep its first
// keep digits), but on the integer itself: padding is a product with a power
// of ten, far cheaper than writing the integer out as decimal text and
// reading it back.
#include <gmp.h>

#include <algorithm>
#include <vector>

#include "bignum/digit_span.h"
#include "bignum/globals.h"
#include "funcs/gmp_integer.h"
#include "funcs/square_root.h"
#include "bignum/stop_request.h"

namespace {

const mpz_t& powerOfFive(int64_t k)
{
    static PowerCache fives(5);
    return fives.power(k);
}

// x * 10^k and floor(x / 10^k), as 5^k and a shift.
void timesPowerOfTen(mpz_t x, int64_t k)
{
    mpz_mul(x, x, powerOfFive(k));
    mpz_mul_2exp(x, x, static_cast<mp_bitcnt_t>(k));
}

void divideByPowerOfTen(mpz_t x, int64_t k)
{
    mpz_tdiv_q_2exp(x, x, static_cast<mp_bitcnt_t>(k));
    mpz_tdiv_q(x, x, powerOfFive(k));
}

} // namespace

BigNum mySqrtChain(const BigNum& x, int32_t count)
{
    if (errorFlag == -1)
        return BigNum{};
    // Zero, one and negative radicands are mySqrt's business (each gives its
    // fixed answer or error on the first root).
    if (count <= 0)
        return x;
    if (!x.isPositive() || isZero(x) || myCompareAbs(x, bigOne) == 0) {
        BigNum r = x;
        for (int32_t i = 0; i < count && errorFlag != -1; ++i)
            r = mySqrt(r);
        return r;
    }

    const int64_t keep = std::max(workPrecision + kGuardDigits, 1);
    const int64_t p = std::max(workPrecision, 1);
    BigNum holder;
    const DigitSpan s = digitSpanOf(x, holder);
    if (errorFlag == -1 || s.isZero())
        return BigNum{};

    // The current value is digits * 10^(w - digitCount + 1): an integer of
    // digitCount digits whose leading digit has the weight 10^w.
    int64_t digitCount = std::min<int64_t>(s.count, keep);
    int64_t w = s.high;
    GmpInteger digits;
    gmpFromDigits(digits.v, s.digits, digitCount);

    for (int32_t step = 0; step < count; ++step) {
        // A chain of 240 roots at 10,000 digits takes a while: a stop
        // request ends it between two roots.
        if (stopHere())
            return BigNum{};
        // The radicand has l digits, its leading one nonzero, so its root has
        // (l + 1) / 2 digits, of which the first keep are kept. Dropping the
        // last `drop` digits of floor(sqrt(N)) is floor(sqrt(N / 100^drop)),
        // so the radicand is padded by 2 * drop digits less and nothing is
        // cut after the root.
        const int64_t l = sqrtRadicandLength(p, w, keep);
        const int64_t r = (l + 1) / 2;
        const int64_t kept = std::min(r, keep);
        const int64_t shift = (l - digitCount) - 2 * (r - kept);
        if (shift >= 0)
            timesPowerOfTen(digits.v, shift);
        else
            divideByPowerOfTen(digits.v, -shift);
        mpz_sqrt(digits.v, digits.v);
        w = (r - 1) - (l - 1 - w) / 2;
        if (!exponentFits(w))
            return BigNum{};
        digitCount = kept;
    }

    // digitCount digits, the first nonzero.
    const std::vector<int32_t> d = digitsOfGmp(digits.v);
    return sciFromDigits(d.data(), static_cast<int64_t>(d.size()), w, true, static_cast<int32_t>(keep));
}
