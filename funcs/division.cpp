// myDiv: the quotient a / b cut toward zero to workPrecision + 4 digits, by
// long division while (divisor digits as stored) x workPrecision stays below
// the switch, otherwise by a Newton reciprocal times the dividend.
#include "funcs/division.h"

#include <algorithm>

#include "funcs/division_testing.h"
#include "bignum/globals.h"
#include "funcs/long_division.h"
#include "bignum/sign.h"
#include "bignum/stop_request.h"
#include "funcs/work_precision_guard.h"

namespace {

DivisionPathCounts pathCounts;

bool isUnit(const DigitSpan& s) { return s.count == 1 && s.digits[0] == 1 && s.high == 0; }

// True when the digits from .. to of a scientific record (1-based, positions
// past its last digit read as 0) all equal d.
bool digitsAll(const BigNum& x, int32_t from, int32_t to, int32_t d)
{
    for (int32_t i = from; i <= to; ++i)
        if ((i <= x.limbCount ? x.limb(i) : 0) != d)
            return false;
    return true;
}

// |q * b| exactly (q has at most qDigits digits, b has bDigits).
BigNum exactProduct(const BigNum& q, const BigNum& b, int64_t qDigits, int64_t bDigits)
{
    WorkPrecisionGuard precision;
    precision.setTo(std::min<int64_t>(qDigits + bDigits + 8, INT32_MAX - 16));
    return myMul(q, b);
}

// a / b through the reciprocal: x ~ 1/b by Newton from the 1040-digit seed,
// then a * x, all with guard digits so that the kept digits are those of the
// exact quotient. Newton's x lies a hair below or above 1/b, so a quotient
// that is exactly a short decimal (6/3, x/x) would come out as 1.999...; when
// the digits after the kept ones are all 9 (or all 0) the last kept digit is
// settled by an exact product with b.
BigNum quotientByReciprocal(const BigNum& a, const BigNum& b, const DigitSpan& sb, int32_t p, bool positive)
{
    const int32_t keep = p + kGuardDigits;
    WorkPrecisionGuard precision;
    precision.setTo(int64_t{p} + kReciprocalGuardDigits);
    const BigNum x = myRecipNewton(myEXCEOTds(b), b);
    BigNum q = myMul(a, x);
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};

    q = myTruncSig(q, keep + kReciprocalGuardDigits);
    const bool nines = digitsAll(q, keep + 1, keep + kReciprocalCheckDigits, 9);
    const bool zeros = !nines && digitsAll(q, keep + 1, keep + kReciprocalCheckDigits, 0);
    q = myTruncSig(q, keep);
    q.positive = kTrue;
    if (nines || zeros) {
        ++pathCounts.exactChecks;
        const BigNum ulp = makeFromDigits({1, 0}, 1, q.exponent - (keep - 1), true);
        if (nines) {
            const BigNum up = myAdd(q, ulp);
            if (myCompareAbs(exactProduct(up, b, keep, sb.count), a) != 2)
                q = up;
        } else if (myCompareAbs(exactProduct(q, b, keep, sb.count), a) == 2) {
            q = mySub(q, ulp);
        }
        q = myTruncSig(q, keep);
    }
    if (errorFlag == -1)
        return BigNum{};
    q.positive = positive ? kTrue : kFalse;
    return q;
}

} // namespace

DivisionPathCounts& divisionPathCounts() { return pathCounts; }

BigNum myDiv(const BigNum& a, const BigNum& b)
{
    if (errorFlag == -1 || stopHere())
        return BigNum{};
    BigNum aHolder;
    BigNum bHolder;
    const DigitSpan sb = digitSpanOf(b, bHolder);
    const DigitSpan sa = digitSpanOf(a, aHolder);
    if (errorFlag == -1)
        return BigNum{};
    if (sb.isZero()) {
        reportError("除法子程序中除数为零", MessageStyle::Warning);
        return bigOne;
    }
    if (sa.isZero())
        return bigZero;
    const bool positive = a.isPositive() == b.isPositive();
    if (isUnit(sb))
        return withSign(a, positive);

    const int32_t p = workPrecision;
    const int64_t storedDigits = static_cast<int64_t>(b.digitsPerLimb) * b.limbCount;
    if (storedDigits * p >= kNewtonDivisionSwitch) {
        ++pathCounts.reciprocal;
        return quotientByReciprocal(a, b, sb, p, positive);
    }
    ++pathCounts.longDivision;
    return longDivide(sa, sb, std::max(p, 0) / 4 + 4, positive, p + kGuardDigits);
}
