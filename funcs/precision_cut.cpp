#include "funcs/precision_cut.h"

#include "bignum/globals.h"

BigNum cutToWorkPrecision(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    // myTruncSig normalises before it cuts.
    if (x.digitsPerLimb != 1)
        return myTruncSig(myRegroup(x, 1), workPrecision + kGuardDigits);
    return myTruncSig(x, workPrecision + kGuardDigits);
}
