// Multiplication: the trivial factors, the choice of method by operand size,
// and the product itself, formed on the operands' significant digits in place
// (no regrouped or cut copies of them) and written straight into the result.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "bignum/digit_span.h"
#include "bignum/fft_binding.h"
#include "bignum/globals.h"
#include "bignum/limb_product.h"
#include "bignum/short_product.h"
#include "bignum/stop_request.h"

namespace {

enum class Method { BySize, Schoolbook, Transform };

BigNum withSignFlippedIf(const BigNum& x, bool flip)
{
    BigNum r = x;
    if (flip)
        r.positive = r.isPositive() ? kFalse : kTrue;
    return r;
}

bool isUnitSpan(const DigitSpan& s) { return s.count == 1 && s.digits[0] == 1 && s.high == 0; }

// The span cut toward zero to `keep` significant digits, without the zeros
// the cut leaves at its end.
DigitSpan cutSpan(DigitSpan s, int32_t keep)
{
    if (s.count > keep)
        s.count = keep;
    while (s.count > 1 && s.digits[s.count - 1] == 0)
        --s.count;
    return s;
}

bool transformPays(int32_t na, int32_t nb)
{
    return std::min(na, nb) >= kFftMinShorterDigits && static_cast<int64_t>(na) * nb >= kFftMinDigitProduct;
}

// |x| * |y| of two nonzero spans already cut, with the given sign, cut to
// `keep` digits.
BigNum multiplySpans(const DigitSpan& x, const DigitSpan& y, bool positive, int32_t keep, Method method)
{
    const bool viaTransform =
        method == Method::Transform || (method == Method::BySize && transformPays(x.count, y.count));
    ProductLimbs p;
    if (viaTransform && limbProductTransform(x.digits, x.count, y.digits, y.count, p)) {
        // formed by the transform
    } else if (method == Method::BySize && std::min(x.count, y.count) < 8 * kShortProductMaxLimbs) {
        limbProductKept(x.digits, x.count, y.digits, y.count, keep, p);
    } else {
        limbProductExact(x.digits, x.count, y.digits, y.count, p,
                         method == Method::Schoolbook ? ExactProduct::Schoolbook : ExactProduct::BySize);
    }
    // The last product digit has the weight of the two last operand digits.
    const int64_t low = x.low() + y.low();
    return sciFromProductLimbs(p, low, positive, keep);
}

BigNum multiply(const BigNum& a, const BigNum& b, Method method)
{
    // Every series, root chain and Newton step multiplies: the place to stop.
    if (errorFlag == -1 || stopHere())
        return BigNum{};
    BigNum aHolder, bHolder;
    const DigitSpan sa = digitSpanOf(a, aHolder);
    const DigitSpan sb = digitSpanOf(b, bHolder);
    if (errorFlag == -1)
        return BigNum{};
    if (sa.isZero() || sb.isZero())
        return bigZero;
    // A factor of magnitude one returns the other operand as it came, uncut.
    if (isUnitSpan(sa))
        return withSignFlippedIf(b, !a.isPositive());
    if (isUnitSpan(sb))
        return withSignFlippedIf(a, !b.isPositive());

    const int32_t keep = std::max(workPrecision + kGuardDigits, 1);
    const bool positive = a.isPositive() == b.isPositive();
    return multiplySpans(cutSpan(sa, keep), cutSpan(sb, keep), positive, keep, method);
}

} // namespace

BigNum myMul(const BigNum& a, const BigNum& b) { return multiply(a, b, Method::BySize); }

BigNum myMulSchoolbook(const BigNum& a, const BigNum& b) { return multiply(a, b, Method::Schoolbook); }

BigNum myMulFFT(const BigNum& a, const BigNum& b) { return multiply(a, b, Method::Transform); }
