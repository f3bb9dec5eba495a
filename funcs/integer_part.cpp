// Integer and fractional part, both keeping the sign of x: int(-2.7) = -2,
// frac(-2.7) = -0.7. They work on the significant digits and the exponent of
// x, so 1e-2000000000 or 1e2000000000 costs no more than 1.5.
#include "funcs/constants.h"
#include "bignum/digit_span.h"
#include "funcs/integer_part.h"
#include "funcs/long_division.h"

namespace {

BigNum zero() { return makeFromDigits({0, 0}, 1, 0, true); }

} // namespace

BigNum myInt(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    BigNum holder;
    const DigitSpan s = digitSpanOf(x, holder);
    if (errorFlag == -1)
        return BigNum{};
    if (s.isZero() || s.high < 0)
        return zero();
    // The digits of weight 10^0 and above.
    const int64_t integerDigits = std::min<int64_t>(s.count, s.high + 1);
    return sciFromDigits(s.digits, integerDigits, s.high, x.isPositive(), keptDigits());
}

BigNum myFrac(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    BigNum holder;
    const DigitSpan s = digitSpanOf(x, holder);
    if (errorFlag == -1)
        return BigNum{};
    if (s.isZero() || s.low() >= 0)
        return zero();
    if (s.high < 0)
        return sciFromDigits(s.digits, s.count, s.high, x.isPositive(), keptDigits());
    const int64_t skip = s.high + 1; // the integer digits
    return sciFromDigits(s.digits + skip, s.count - skip, -1, x.isPositive(), keptDigits());
}
