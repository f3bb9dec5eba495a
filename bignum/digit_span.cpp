#include "bignum/digit_span.h"

#include <algorithm>

#include "bignum/globals.h"

DigitSpan spanOf(const BigNum& x)
{
    DigitSpan s;
    int32_t first = 0;
    int32_t last = 0;
    for (int32_t j = 1; j <= x.limbCount; ++j)
        if (x.limb(j) != 0) {
            first = j;
            break;
        }
    if (first == 0)
        return s;
    for (int32_t j = x.limbCount; j >= first; --j)
        if (x.limb(j) != 0) {
            last = j;
            break;
        }
    s.digits = x.limbPtr(first);
    s.count = last - first + 1;
    s.high = static_cast<int64_t>(x.limbCount) - x.fracDigits - first + x.exponent;
    return s;
}

DigitSpan digitSpanOf(const BigNum& x, BigNum& holder)
{
    if ((x.digitsPerLimb == 1 && x.store.size() >= static_cast<size_t>(x.limbCount) + 2) || x.isEmpty())
        return spanOf(x);
    holder = myRegroup(qslqwl(x), 1);
    if (errorFlag == -1)
        return DigitSpan{};
    return spanOf(holder);
}

int16_t compareSpans(const DigitSpan& a, const DigitSpan& b)
{
    if (a.isZero() || b.isZero())
        return a.isZero() ? (b.isZero() ? 0 : 1) : 2;
    if (a.high != b.high)
        return a.high < b.high ? 1 : 2;
    const int32_t common = std::min(a.count, b.count);
    for (int32_t j = 0; j < common; ++j)
        if (a.digits[j] != b.digits[j])
            return a.digits[j] < b.digits[j] ? 1 : 2;
    // Both spans end in a nonzero digit, so the longer one is larger.
    if (a.count == b.count)
        return 0;
    return a.count < b.count ? 1 : 2;
}

int32_t keptDigits() { return std::max(workPrecision + kGuardDigits, 1); }

BigNum sciFromDigits(const int32_t* d, int64_t count, int64_t high, bool positive, int32_t keep)
{
    int64_t first = 0;
    while (first < count && d[first] == 0)
        ++first;
    BigNum x;
    x.positive = positive ? kTrue : kFalse;
    x.digitsPerLimb = 1;
    if (first == count) {
        x.positive = kTrue;
        x.limbCount = 2;
        x.fracDigits = 1;
        x.store.assign(6, 0);
        return x;
    }
    const int64_t sciExp = high - first;
    if (!exponentFits(sciExp))
        return BigNum{};
    int64_t used = std::min<int64_t>(std::max(keep, 1), count - first);
    while (used > 1 && d[first + used - 1] == 0)
        --used;
    const int32_t n = static_cast<int32_t>(std::max<int64_t>(used, 2));
    x.limbCount = n;
    x.fracDigits = n - 1;
    x.exponent = static_cast<int32_t>(sciExp);
    // Guards, digits, then the zeros up to n and the guards behind: the
    // digits are copied in one block and nothing is zero-filled twice.
    x.store.reserve(static_cast<size_t>(n) + 4);
    x.store.assign(2, 0);
    x.store.insert(x.store.end(), d + first, d + first + used);
    x.store.resize(static_cast<size_t>(n) + 4, 0);
    return x;
}
