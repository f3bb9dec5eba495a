// (1 + u)^y for a tiny u >= 0 by the binomial series, in Horner form with the
// coefficients scaled by N! so that the loop only adds and multiplies and the
// one division comes at the end.
#include <algorithm>

#include "funcs/division.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/power.h"
#include "funcs/precision_cut.h"
#include "funcs/sub_function_timer.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

BigNum myBinomialPower(const BigNum& z, const BigNum& y)
{
    if (errorFlag == -1)
        return BigNum{};
    SubFunctionTimer timer;
    if (myCompareAbs(y, bigZero) == 0)
        return bigOne;

    // z lies in [1, 2): clearing its units digit leaves u = z - 1.
    BigNum u = z.digitsPerLimb == 1 ? myToSci(z) : myToSci(myRegroup(z, 1));
    myFromSci(u);
    if (errorFlag == -1)
        return BigNum{};
    if (u.limbCount - u.fracDigits == 1 && u.limb(1) == 1)
        u.limb(1) = 0;
    else
        u = mySub(z, bigOne);
    const BigNum exponentY = qslqwl(myRegroup(y, 1));

    WorkPrecisionGuard precision;
    precision.raiseBy(kBinomialGuardDigits);
    // u < 1.6e-48 makes every term worth more than 47 digits. At least the
    // first term, whatever a caller did to the precision.
    const int32_t terms = std::max((workPrecision - kBinomialGuardDigits) / kBinomialDigitsPerTerm + 4, 1);

    // A = N! * sum_{k=1..N} C(y, k) u^k by Horner's rule from the highest
    // term: A starts as (y - (N-1)) u; then G runs through N, N(N-1), ...,
    // N!/1 and m through N-2 .. 0 while A = (G + A) (y - m) u.
    int64_t n = terms;
    int64_t m = terms - 1;
    const BigNum fullFact = myFullFact(bigFromInteger(terms));
    BigNum a = myMul(mySub(exponentY, bigFromInteger(m)), u);
    BigNum g = bigOne;
    for (int32_t k = terms; k >= 2 && errorFlag != -1; --k) {
        g = myMul(bigFromInteger(n), g);
        --n;
        --m;
        a = myMul(myMul(myAdd(g, a), mySub(exponentY, bigFromInteger(m))), u);
    }
    BigNum result = myAdd(myDiv(a, fullFact), bigOne);
    precision.restore();
    if (errorFlag == -1)
        return BigNum{};
    result = cutToWorkPrecision(result);
    if (errorFlag == -1)
        return BigNum{};
    timer.reportInMessage();
    return result;
}
