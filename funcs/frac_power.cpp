// x^y for a non-integer y: with x = m * 10^c, m^y and 10^(|c| y) are each
// found as the 2^160-th power of (root)^y, where the 2^160-th roots lie so
// close to one that a short binomial series gives their y-th power.
#include <cstdlib>

#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/power.h"
#include "funcs/precision_cut.h"
#include "funcs/product_exponent.h"
#include "funcs/square_root.h"
#include "funcs/whole_number.h"
#include "funcs/work_precision_guard.h"

BigNum myFracPower(const BigNum& x, const BigNum& y)
{
    if (errorFlag == -1)
        return BigNum{};
    BigNum m = x.digitsPerLimb == 1 ? myToSci(x) : myToSci(myRegroup(x, 1));
    const BigNum exponentY = qslqwl(myRegroup(y, 1));
    if (errorFlag == -1)
        return BigNum{};

    BigNum r;
    {
        RaisedWorkPrecision raised(kFracPowerGuardDigits);
        const int32_t c = m.exponent;
        const BigNum a = bigFromInteger(std::llabs(static_cast<long long>(c)));
        m.exponent = 0;
        if (!productExponentFits(a, exponentY))
            return BigNum{};
        const BigNum w = myMul(a, exponentY);

        // t becomes 10^(1/2^160); raised to the power w it is 1 whenever
        // w = 0 (a base between 1 and 10), so its roots are only taken when
        // they count.
        const bool tenCounts = myCompareAbs(w, bigZero) != 0;
        m = mySqrtChain(m, kFracPowerSquareRoots);
        BigNum t = tenCounts ? mySqrtChain(bigTen, kFracPowerSquareRoots) : bigTen;
        if (errorFlag == -1)
            return BigNum{};
        m = myBinomialPower(m, exponentY);
        t = myBinomialPower(t, w);

        // 65536^10 = 2^160 undoes the square roots.
        const BigNum s = myPower(bigTwo, bigFromInteger(kFracPowerRaiseBits));
        for (int32_t i = 0; i < kFracPowerRaisings; ++i) {
            m = myPower(m, s);
            t = myPower(t, s);
            if (errorFlag == -1)
                return BigNum{};
        }
        if (c < 0)
            t = myDiv(bigOne, t);
        if (errorFlag == -1 || !productExponentFits(m, t))
            return BigNum{};
        r = myMul(m, t);
    }
    return cutToWorkPrecision(r);
}
