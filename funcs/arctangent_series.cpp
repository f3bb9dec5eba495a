// The arctangent series of a small argument, in Horner form over the exact
// integers N!!/k, divided by N!! once at the end.
#include "funcs/division.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/inverse_trig.h"
#include "funcs/logarithm.h"
#include "funcs/power.h"
#include "funcs/sub_function_timer.h"

namespace {

BigNum count(int32_t v) { return makeSmallConstant(kTrue, 8, 8, v, 0); }

} // namespace

BigNum myAtanSeries(const BigNum& t)
{
    if (errorFlag == -1)
        return BigNum{};
    SubFunctionTimer timer;

    // Each term gains at least eight digits (t <= 10^-4), so about p/4 terms
    // reach p digits with room to spare; N is odd.
    int32_t n = (workPrecision - kAtanGuardDigits) / 4;
    if (n % 2 == 0)
        ++n;
    if (n < 1)
        n = 1;

    const BigNum d = myDoubleFact(count(n));
    const BigNum t2 = myPower(t, bigTwo);
    BigNum a = bigZero;
    for (int32_t k = n; k >= 3 && errorFlag == 0; k -= 2)
        a = myMul(mySub(mySeriesDiv(d, count(k)), a), t2);
    a = myDiv(myMul(a, t), d);
    const BigNum result = mySub(t, a);
    if (errorFlag == -1)
        return BigNum{};
    timer.reportInMessage();
    return result;
}
