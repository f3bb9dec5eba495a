// The decimal exponent operator: 1.5e3 = 1500, 2e-3 = 0.002. The scale is
// added to the left operand's own, so a computed value keeps its magnitude:
// (1/3)e2 = 33.33... The exponent must be an integer: 1e2.7 is refused
// rather than shown as 100.
#include <algorithm>

#include "funcs/constants.h"
#include "funcs/long_division.h"
#include "funcs/set_exponent.h"
#include "funcs/whole_number.h"

namespace {

// Beyond this many integer digits the exponent operand is far outside the
// exponent range and is not read further.
constexpr int64_t kMaxScaleDigits = 18;

} // namespace

BigNum mySetExponent(const BigNum& x, const BigNum& k)
{
    if (errorFlag == -1)
        return BigNum{};
    BigNum xHolder;
    BigNum kHolder;
    const DigitSpan sx = digitSpanOf(x, xHolder);
    const DigitSpan sk = digitSpanOf(k, kHolder);
    if (errorFlag == -1)
        return BigNum{};
    if (hasFractionalPart(k))
        return reportError("e后面的指数必须是整数", MessageStyle::Plain);
    if (sx.isZero())
        return makeFromDigits({0, 0}, 1, 0, true);

    // The integer k.
    int64_t scale = 0;
    if (!sk.isZero() && sk.high >= 0) {
        if (sk.high >= kMaxScaleDigits) {
            reportExponentOverflow();
            return BigNum{};
        }
        for (int64_t i = 0; i <= sk.high; ++i)
            scale = scale * 10 + (i < sk.count ? sk.digits[i] : 0);
        if (!k.isPositive())
            scale = -scale;
    }
    if (!exponentFits(sx.high + scale))
        return BigNum{};
    BigNum y = myToSci(x.digitsPerLimb == 1 ? x : xHolder);
    if (errorFlag == -1)
        return BigNum{};
    y.exponent = static_cast<int32_t>(sx.high + scale);
    return y;
}
