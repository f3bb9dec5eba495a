#include "funcs/product_exponent.h"

#include "bignum/digit_span.h"
#include "bignum/globals.h"

namespace {

// Power of ten of the leading digit; nothing for zero. Wider limbs (the
// shared constants) are read through a regrouped copy.
bool leadingPower(const BigNum& x, int64_t& high)
{
    const DigitSpan s = x.digitsPerLimb == 1 ? spanOf(x) : DigitSpan{};
    if (x.digitsPerLimb != 1) {
        const BigNum y = myRegroup(x, 1);
        const DigitSpan t = spanOf(y);
        high = t.high;
        return !t.isZero();
    }
    high = s.high;
    return !s.isZero();
}

} // namespace

bool productExponentFits(const BigNum& a, const BigNum& b)
{
    int64_t ha = 0;
    int64_t hb = 0;
    if (a.isEmpty() || b.isEmpty() || !leadingPower(a, ha) || !leadingPower(b, hb))
        return true;
    // The product's leading digit sits at 10^(ha + hb) or one above; with
    // ha + hb in range the one above cannot wrap 32 bits, and the cut to
    // scientific form that follows reports it.
    return exponentFits(ha + hb);
}
