#include "funcs/exponential.h"

#include "funcs/cancellation.h"
#include "funcs/constants.h"
#include "funcs/division.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "funcs/power.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

namespace {

// Taylor terms for the raised precision P: every term of the halved argument
// (below 2^-80) is worth about 24 digits.
int32_t taylorTerms(int32_t raised)
{
    const int32_t entry = raised - kExpGuardDigits;
    if (raised <= kExpTermSwitch)
        return entry / kExpDigitsPerTermLow + 4;
    return entry / kExpDigitsPerTermHigh;
}

// e^r for 0 < |r| < 1: r is halved kExpHalvings times, the series
// 1 + r' + r'^2/2! + ... + r'^N/N! is summed in Horner form with integer
// coefficients N!/k! (no division in the loop), and the halvings are undone
// by raising to 65536 kExpRaisings times (65536^5 = 2^80).
BigNum expOfFraction(const BigNum& r)
{
    // Below the last kept digit e^r is 1 + r to the kept digits, which is
    // what the series and the raisings give; halving such an r could only
    // push its exponent out of range (e^(1e-1999999999) is 1).
    if (leadingPower(r) < -static_cast<int64_t>(workPrecision) - 2 * kGuardDigits)
        return myAdd(bigOne, r);
    // Halving as a product with 0.5 gives the digits of the quotient by 2
    // (both are h / 2 exactly, cut alike) in one pass of the short-factor
    // product instead of a long division.
    BigNum h = r;
    for (int32_t i = 0; i < kExpHalvings && errorFlag != -1; ++i)
        h = myMul(h, bigHalf);

    const int32_t terms = taylorTerms(workPrecision);
    const BigNum fullFact = myFullFact(bigFromInteger(terms));
    BigNum a = h;
    BigNum g = bigOne;
    for (int32_t k = terms; k >= 2 && errorFlag != -1; --k) {
        g = myMul(bigFromInteger(k), g);
        a = myMul(myAdd(g, a), h);
    }
    BigNum s = myAdd(myDiv(a, fullFact), bigOne);

    const BigNum raise = myPower(bigTwo, bigFromInteger(16));
    for (int32_t i = 0; i < kExpRaisings && errorFlag != -1; ++i)
        s = myPower(s, raise);
    return s;
}

} // namespace

BigNum myExp(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    const BigNum xs = qslqwl(x.digitsPerLimb == 1 ? x : myRegroup(x, 1));
    if (errorFlag == -1)
        return BigNum{};
    // The integer power of e refuses such an exponent anyway; saying so before
    // the split keeps an argument like 1e2000000000 from being written out.
    if (integerMagnitudeCapped(xs, int64_t{kMaxIntPowerExponent} + 1) > kMaxIntPowerExponent)
        return reportError("抱歉，目前只支持9999999以内的乘方", MessageStyle::Plain);

    BigNum result;
    {
        RaisedWorkPrecision raised(kExpGuardDigits);
        const QuotRem split = myMOD(xs, bigOne);
        if (errorFlag == -1)
            return BigNum{};
        // e is read from the table only when the integer part needs it, so
        // that a caller working beyond the table's digits can still take e^x
        // of a fraction.
        BigNum whole = bigOne;
        if (!isZero(split.quotient)) {
            const BigNum e = tableConstant(DigitTableId::E, workPrecision);
            whole = myPower(e, split.quotient);
        }
        result = isZero(split.remainder) ? whole : myMul(expOfFraction(split.remainder), whole);
    }
    if (errorFlag == -1)
        return BigNum{};
    return myTruncSig(qslqwl(myRegroup(result, 1)), workPrecision + kGuardDigits);
}
