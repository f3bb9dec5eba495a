// qslqwl: the normalisation every routine runs on its operands, and the small
// constructors of records.
#include <algorithm>

#include "bignum/globals.h"

void BigNum::clearGuards()
{
    if (store.size() < static_cast<size_t>(limbCount) + 4)
        resizeLimbs(limbCount + 2);
    limb(-1) = 0;
    limb(0) = 0;
    limb(limbCount + 1) = 0;
    limb(limbCount + 2) = 0;
}

BigNum makeSmallConstant(int16_t positive, int32_t fracDigits, int16_t digitsPerLimb, int32_t v, int32_t exponent)
{
    BigNum x;
    x.positive = positive;
    x.fracDigits = fracDigits;
    x.digitsPerLimb = digitsPerLimb;
    x.limbCount = 2;
    x.resizeLimbs(4);
    x.limb(1) = v;
    x.exponent = exponent;
    return x;
}

BigNum makeFromDigits(const std::vector<int32_t>& digits, int32_t fracDigits, int32_t exponent, bool positive)
{
    BigNum x;
    x.positive = positive ? kTrue : kFalse;
    x.fracDigits = fracDigits;
    x.digitsPerLimb = 1;
    x.limbCount = static_cast<int32_t>(digits.size());
    x.store.assign(digits.size() + 4, 0);
    std::copy(digits.begin(), digits.end(), x.store.begin() + 2);
    x.exponent = exponent;
    return x;
}

// Takes its argument by value: callers that hand over a temporary (or move
// their own record in) pay no copy of the limbs.
BigNum qslqwl(BigNum y)
{
    if (errorFlag == -1)
        return BigNum{};
    if (y.digitsPerLimb == 0)
        return reportError("qslqwl函数的输入参数进制位为零", MessageStyle::Plain);

    if (y.store.size() < static_cast<size_t>(y.limbCount) + 4)
        y.resizeLimbs(y.limbCount + 2);
    const int32_t fracLimbs = y.fracDigits / y.digitsPerLimb;

    // Leading zero limbs, keeping at least one integer limb.
    const int32_t maxLeading = y.limbCount - fracLimbs - 1;
    int32_t leading = 0;
    while (leading < maxLeading && y.limb(1 + leading) == 0)
        ++leading;
    if (leading > 0) {
        y.store.erase(y.store.begin() + 2, y.store.begin() + 2 + leading);
        y.limbCount -= leading;
    }

    // Trailing zero fraction limbs, keeping at least one fraction limb.
    if (y.fracDigits > y.digitsPerLimb) {
        const int32_t maxTrailing = fracLimbs - 1;
        for (int32_t pass = 0; pass < maxTrailing && y.limb(y.limbCount) == 0; ++pass) {
            --y.limbCount;
            y.fracDigits -= y.digitsPerLimb;
        }
    }

    y.store.resize(static_cast<size_t>(y.limbCount) + 4, 0);
    y.clearGuards();
    return y;
}
