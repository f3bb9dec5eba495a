#include "funcs/cancellation.h"

#include "bignum/digit_span.h"
#include "bignum/globals.h"

namespace {

// Digits equal to d after the first one.
int64_t runAfterFirst(const DigitSpan& s, int32_t d)
{
    int64_t n = 0;
    while (n + 1 < s.count && s.digits[n + 1] == d)
        ++n;
    return n;
}

} // namespace

int64_t leadingPower(const BigNum& x)
{
    if (x.isEmpty())
        return 0;
    return withSpan(x, [](const DigitSpan& s) { return s.isZero() ? int64_t{0} : s.high; });
}

int64_t depthNearOne(const BigNum& x)
{
    if (x.isEmpty())
        return 0;
    return withSpan(x, [](const DigitSpan& s) -> int64_t {
        if (s.isZero())
            return 0;
        if (s.high == 0 && s.digits[0] == 1) {
            // 1.0..0d with z zeros: x - 1 lies in [10^-(z+1), 10^-z); a span
            // ends in a nonzero digit, so x = 1 has count 1.
            if (s.count == 1)
                return 0;
            const int64_t z = runAfterFirst(s, 0);
            return z >= 1 ? z + 1 : 0;
        }
        if (s.high == -1 && s.digits[0] == 9) {
            // 0.99..9d with n nines after the first: 1 - x > 10^-(n+2).
            const int64_t n = runAfterFirst(s, 9);
            return n >= 1 ? n + 2 : 0;
        }
        return 0;
    });
}
