// Scientific form (one digit before the point) and the precision controls:
// every operation hands back its result in scientific form cut to
// workPrecision + 4 digits, and the display rounds once at the end.
#include <algorithm>

#include "bignum/globals.h"

namespace {

// Index of the first nonzero limb, or 0 when every limb is zero.
int32_t firstNonzero(const BigNum& x)
{
    for (int32_t j = 1; j <= x.limbCount; ++j)
        if (x.limb(j) != 0)
            return j;
    return 0;
}

} // namespace

BigNum myToSci(BigNum x)
{
    BigNum y = qslqwl(std::move(x));
    if (errorFlag == -1)
        return BigNum{};
    const int32_t first = firstNonzero(y);
    if (first == 0) {
        y.exponent = 0;
        return y;
    }
    // The leading digit's power of ten: integer digits - first + exponent.
    const int64_t sciExp = static_cast<int64_t>(y.limbCount - y.fracDigits) - first + y.exponent;
    if (!exponentFits(sciExp))
        return BigNum{};
    if (first > 1) {
        y.store.erase(y.store.begin() + 2, y.store.begin() + 1 + first);
        y.limbCount -= first - 1;
    }
    if (y.limbCount == 1) // the zero after the last digit becomes the fraction digit
        y.limbCount = 2;
    y.fracDigits = y.limbCount - 1;
    y.exponent = static_cast<int32_t>(sciExp);
    y.store.resize(static_cast<size_t>(y.limbCount) + 4, 0);
    y.clearGuards();
    return qslqwl(std::move(y));
}

void myFromSci(BigNum& x)
{
    x = qslqwl(std::move(x));
    if (errorFlag == -1)
        return;
    const int64_t c = static_cast<int64_t>(x.fracDigits) - x.exponent;
    if (c >= x.limbCount) {
        // Zeros in front: one integer zero and the fraction's leading zeros.
        const int64_t d = c - x.limbCount + 1;
        x.store.insert(x.store.begin() + 2, static_cast<size_t>(d), 0);
        x.limbCount += static_cast<int32_t>(d);
        x.fracDigits = static_cast<int32_t>(c);
    } else if (c <= 0) {
        // Zeros behind: the exponent's integer zeros and one fraction digit.
        x.limbCount = static_cast<int32_t>(x.limbCount - c + 1);
        x.fracDigits = 1;
        x.resizeLimbs(x.limbCount + 2);
    } else {
        x.fracDigits = static_cast<int32_t>(c);
    }
    x.exponent = 0;
    x.clearGuards();
    x = qslqwl(std::move(x));
}

BigNum myChopSig(BigNum x, int32_t n)
{
    BigNum y = qslqwl(std::move(x));
    if (errorFlag == -1)
        return BigNum{};
    n = std::max(n, 1);
    // Zeros appended beyond the digits would be stripped again by qslqwl, so
    // a shorter record only needs its point moved.
    if (n <= y.limbCount) {
        y.fracDigits = n - 1;
        y.limbCount = n;
        y.store.resize(static_cast<size_t>(n) + 4);
    } else {
        y.fracDigits = y.limbCount - 1;
        if (y.limbCount == 1) {
            y.limbCount = 2;
            y.fracDigits = 1;
            y.resizeLimbs(4);
        }
    }
    y.clearGuards();
    return qslqwl(std::move(y));
}

BigNum myTruncSig(BigNum x, int32_t n)
{
    if (errorFlag == -1)
        return BigNum{};
    return myChopSig(myToSci(std::move(x)), n);
}

BigNum myRoundSig(BigNum x, int32_t n)
{
    BigNum y = qslqwl(std::move(x));
    if (errorFlag == -1)
        return BigNum{};
    n = std::max(n, 1);
    if (n < y.limbCount) {
        if (y.limb(n + 1) > 4) {
            int32_t p = n;
            for (; p >= 0; --p) {
                if (++y.limb(p) <= 9)
                    break;
                y.limb(p) = 0;
            }
            if (y.limb(0) != 0) {
                y.limb(1) = y.limb(0);
                y.limb(0) = 0;
                if (!exponentFits(static_cast<int64_t>(y.exponent) + 1))
                    return BigNum{};
                ++y.exponent;
            }
        }
        y.limbCount = n;
        y.fracDigits = n - 1;
        y.store.resize(static_cast<size_t>(n) + 4);
        y.clearGuards();
    }
    y = qslqwl(std::move(y));
    if (errorFlag == -1)
        return BigNum{};
    if (y.limb(1) == 0 && y.limbCount == 1)
        y.exponent = 0;
    return y;
}
