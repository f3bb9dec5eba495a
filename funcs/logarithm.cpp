// ln x: x = m * 10^c contributes c ln 10 from the constants table; m is taken
// to its 2^A-th root, which lies within 0.0091 of 1, and ln(1 + u) of that
// root is summed by the Mercator series in Horner form with the integer
// coefficients B!/k, then multiplied by 2^A.
//
// Next to 1 the result is small while the computation's error is not: the
// square roots keep a fixed number of digits of a value near 1, so an x that
// shares d digits with 1 loses d digits of ln x. Such an x gets d more guard
// digits; once x - 1 is so small that (x - 1)^2 lies below the last kept
// digit, ln x = (x - 1) - (x - 1)^2/2 + ... is x - 1 to the kept digits.
#include "funcs/logarithm.h"

#include <algorithm>
#include <string>
#include <vector>

#include "funcs/cancellation.h"
#include "bignum/digit_span.h"
#include "funcs/division.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "funcs/short_division.h"
#include "funcs/long_division.h"
#include "funcs/power.h"
#include "bignum/sign.h"
#include "funcs/square_root.h"
#include "funcs/sub_function_timer.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

namespace {

// Square roots A and series terms B by the precision on entry.
struct LnParameters {
    int32_t upTo;
    int32_t roots;
    int32_t terms;
};

constexpr LnParameters kLnParameters[] = {
    {32, 8, 16},      {100, 16, 24},    {500, 50, 35},    {1000, 65, 55},   {2000, 90, 75},
    {3000, 115, 90},  {4000, 135, 110}, {5000, 145, 120}, {6000, 165, 125}, {7000, 180, 130},
    {8000, 205, 135}, {9000, 225, 135}, {10999, 240, 144}};

// After A square roots u < ln 10 / 2^A, so every term of the series is worth
// at least A log10(2) - log10(ln 10) digits.
int32_t digitsPerTerm(int32_t roots) { return static_cast<int32_t>(roots * 0.30103 - 0.3623); }

// The evaluation run never asks for more than this precision; the table's
// rows are made for it.
constexpr int32_t kRunPrecisionLimit = kMaxShownDigits + kHiddenDigits;

LnParameters lnParameters(int32_t p)
{
    LnParameters row = kLnParameters[std::size(kLnParameters) - 1];
    for (const LnParameters& r : kLnParameters)
        if (p <= r.upTo) {
            row = r;
            break;
        }
    // A caller that raised the precision beyond the run's may need more
    // terms than its row has (240 roots and 144 terms cover 10,440 digits).
    if (p > kRunPrecisionLimit)
        row.terms = std::max(row.terms, (p + 2 * kGuardDigits) / digitsPerTerm(row.roots) + 2);
    return row;
}

// ln 10 to `digits` digits from the constants table.
BigNum ln10Constant(int32_t digits)
{
    if (errorFlag == -1)
        return BigNum{};
    digits = std::max(digits, 2);
    if (digits > kTableDigits)
        return reportError("常数ln10的数字表只有" + std::to_string(kTableDigits) + "位，不够本次计算所需的" +
                               std::to_string(digits) + "位",
                           MessageStyle::Plain);
    if (!requireTableDigits(DigitTableId::Ln10, digits))
        return BigNum{};
    std::vector<int32_t> d(static_cast<size_t>(digits));
    for (int32_t i = 1; i <= digits; ++i)
        d[static_cast<size_t>(i - 1)] = ln10Digits[static_cast<size_t>(i)];
    return makeFromDigits(d, digits - 1, 0, true);
}

// ln(1 + u) * B! by Horner's rule: S = (B!/k - S) u for k = B .. 1.
BigNum mercatorTimesFactorial(const BigNum& u, int32_t terms, const BigNum& fullFact)
{
    BigNum s = bigZero;
    for (int32_t k = terms; k >= 1 && errorFlag != -1; --k) {
        BigNum t = mySeriesDiv(fullFact, bigFromInteger(k));
        t = mySub(t, s);
        s = myMul(t, u);
    }
    return s;
}

BigNum lnOfPositive(const BigNum& x);

// ln x for an x with a 2^A-th root to take (the general path), at the
// precision on entry p, with `depth` guard digits beyond the usual for an x
// that shares that many digits with 1. The result is then about 10^-depth
// while the series must still be right to p digits of it: below 1 the root
// of m = 9.99.. is not small, so the roots and terms are those of the row
// for p + depth.
BigNum lnByRoots(const BigNum& x, int64_t depth)
{
    const int32_t p = workPrecision;
    const LnParameters params = lnParameters(static_cast<int32_t>(p + depth));
    RaisedWorkPrecision raised(kLnGuardDigits + depth);
    const int32_t precision = workPrecision;

    BigNum m = myTruncSig(x, precision);
    if (errorFlag == -1)
        return BigNum{};
    const int64_t c = m.exponent;

    // For 0.1 < x < 1 the table of ln 10 may be shorter than a raised
    // precision needs; 1/x lies in (1, 10) and needs no ln 10.
    if (c == -1 && precision > kTableDigits) {
        const BigNum inverse = myDiv(bigOne, m);
        raised.restore();
        BigNum r = lnOfPositive(inverse);
        r.positive = isZero(r) ? kTrue : kFalse;
        return r;
    }

    const bool isTen = c == 1 && m.limbCount <= 2 && m.limb(1) == 1 && (m.limbCount < 2 || m.limb(2) == 0);
    BigNum lnTen;
    if (c != 0) {
        lnTen = ln10Constant(precision);
        if (isTen || errorFlag == -1)
            return lnTen;
    }

    BigNum multiple;
    if (c != 0) {
        m.exponent = 0;
        BigNum factor = bigFromInteger(c < 0 ? -c : c);
        factor.positive = c < 0 ? kFalse : kTrue;
        multiple = myMul(factor, lnTen);
    }

    m = mySqrtChain(m, params.roots);
    // m lies in [1, 1.0091): clearing its units digit leaves u = m - 1.
    BigNum u = myToSci(myRegroup(m, 1));
    if (errorFlag == -1)
        return BigNum{};
    if (u.exponent == 0 && u.limb(1) == 1)
        u.limb(1) = 0;
    else
        u = mySub(u, bigOne);

    BigNum s = bigZero;
    if (!isZero(u)) {
        const BigNum fullFact = myFullFact(bigFromInteger(params.terms));
        s = myDiv(mercatorTimesFactorial(u, params.terms, fullFact), fullFact);
        s = myMul(s, myPower(bigTwo, bigFromInteger(params.roots)));
    }
    if (c != 0)
        s = myAdd(s, multiple);
    return s;
}

// ln x for x > 0, x != 1, cut to workPrecision + 4 digits.
BigNum lnOfPositive(const BigNum& x)
{
    const BigNum xs = qslqwl(x.digitsPerLimb == 1 ? x : myRegroup(x, 1));
    if (errorFlag == -1)
        return BigNum{};
    const int32_t p = workPrecision;
    const int64_t depth = depthNearOne(xs);
    if (depth - 1 > static_cast<int64_t>(p) + 2 * kGuardDigits) {
        // ln x = (x - 1) to the kept digits; the difference is formed exactly.
        BigNum delta;
        {
            RaisedWorkPrecision exact(std::max<int64_t>(0, static_cast<int64_t>(xs.limbCount) + kGuardDigits - p));
            delta = mySub(xs, bigOne);
        }
        return cutToWorkPrecision(delta);
    }
    BigNum r = lnByRoots(xs, depth);
    return cutToWorkPrecision(r);
}

} // namespace

BigNum myLn(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    SubFunctionTimer timer;
    if (x.isEmpty() || isZero(x) || isNegative(x))
        return reportError("ln函数的输入值无效", MessageStyle::Plain);
    if (myCompareAbs(x, bigOne) == 0)
        return bigZero;
    BigNum r = lnOfPositive(x);
    if (errorFlag == -1)
        return BigNum{};
    timer.reportInCaption();
    return r;
}

BigNum myLog(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (x.isEmpty() || isZero(x) || isNegative(x))
        return reportError("myLog函数的输入值无效", MessageStyle::Plain);
    if (myCompareAbs(x, bigOne) == 0)
        return bigZero;
    BigNum lnTen;
    {
        RaisedWorkPrecision raised(kLogGuardDigits);
        lnTen = ln10Constant(workPrecision);
    }
    return myDiv(myLn(x), lnTen);
}

BigNum mySeriesDiv(const BigNum& a, const BigNum& k)
{
    if (errorFlag == -1)
        return BigNum{};
    BigNum aHolder;
    BigNum kHolder;
    DigitSpan sa = digitSpanOf(a, aHolder);
    DigitSpan sk = digitSpanOf(k, kHolder);
    if (errorFlag == -1)
        return BigNum{};
    if (sa.isZero() || sk.isZero())
        return bigZero;
    // Both operands cut to the digits the arithmetic keeps.
    const int32_t keep = workPrecision + kGuardDigits;
    sa.count = std::min(sa.count, std::max(keep, 1));
    sk.count = std::min(sk.count, std::max(keep, 1));
    // Quotient limbs to the end of the dividend padded with eight zero limbs:
    // an exact integer quotient comes out whole, with room to spare.
    const int32_t dividendLimbs = (sa.count + 3) / 4;
    const int32_t divisorLimbs = (sk.count + 3) / 4;
    const int32_t quotientLimbs = std::max(dividendLimbs + 8 + 1 - divisorLimbs, 1);
    const bool positive = a.isPositive() == k.isPositive();
    // The series' divisors are small integers: one pass with a 64-bit remainder.
    if (sk.count <= kShortDivisorDigits)
        return qslqwl(shortDivide(sa, sk, quotientLimbs, positive));
    return qslqwl(longDivide(sa, sk, quotientLimbs, positive, 4 * quotientLimbs));
}
