// Regrouping between limb sizes. Operations pick the limb size that suits them
// (4 digits for the schoolbook product, 3 for the FFT, 8 for factorials) and
// hand results back with one digit per limb.
#include <algorithm>

#include "bignum/globals.h"

namespace {

int32_t roundUpToMultiple(int32_t v, int32_t k)
{
    const int32_t r = v % k;
    return r == 0 ? v : v + k - r;
}

// Limbs of K digits from the digit string src[0 .. n-1] preceded by `lead`
// zeros and followed by as many as the last limb needs.
template <int K>
void packDigits(const int32_t* src, int32_t n, int32_t lead, int32_t* out, int32_t count)
{
    for (int32_t j = 0; j < count; ++j) {
        const int32_t first = j * K - lead;
        int32_t v = 0;
        if (first >= 0 && first + K <= n) {
            for (int m = 0; m < K; ++m)
                v = v * 10 + src[first + m];
        } else {
            for (int m = 0; m < K; ++m) {
                const int32_t i = first + m;
                v = v * 10 + ((i >= 0 && i < n) ? src[i] : 0);
            }
        }
        out[j] = v;
    }
}

} // namespace

void myPack(BigNum& x, int k)
{
    x = qslqwl(std::move(x));
    if (errorFlag == -1)
        return;
    // The integer part gets leading and the fraction trailing zeros up to
    // whole limbs; a record whose fraction is longer than its digit string
    // has implicit leading zeros (intDigits negative).
    const int32_t intDigits = x.limbCount - x.fracDigits;
    const int32_t intTarget = roundUpToMultiple(std::max(intDigits, 0), k);
    const int32_t fracTarget = roundUpToMultiple(x.fracDigits, k);
    const int32_t newCount = (intTarget + fracTarget) / k;
    const int32_t lead = intTarget - intDigits;
    const int32_t* src = x.limbPtr(1);
    const int32_t n = x.limbCount;

    std::vector<int32_t> store(static_cast<size_t>(newCount) + 4, 0);
    switch (k) {
    case 3: packDigits<3>(src, n, lead, store.data() + 2, newCount); break;
    case 4: packDigits<4>(src, n, lead, store.data() + 2, newCount); break;
    case 8: packDigits<8>(src, n, lead, store.data() + 2, newCount); break;
    default: packDigits<9>(src, n, lead, store.data() + 2, newCount); break;
    }
    x.store = std::move(store);
    x.fracDigits = fracTarget;
    x.limbCount = newCount;
    x.digitsPerLimb = static_cast<int16_t>(k);
    x = qslqwl(std::move(x));
}

void myPack4To8(BigNum& x)
{
    x = qslqwl(std::move(x));
    if (errorFlag == -1)
        return;
    const int32_t intDigits = x.limbCount * 4 - x.fracDigits;
    const int32_t intTarget = roundUpToMultiple(std::max(intDigits, 0), 8);
    const int32_t fracTarget = roundUpToMultiple(x.fracDigits, 8);
    const int32_t quarterCount = (intTarget + fracTarget) / 4;
    std::vector<int32_t> quarters(static_cast<size_t>(quarterCount), 0);
    const int32_t offset = (intTarget - intDigits) / 4;
    for (int32_t j = 1; j <= x.limbCount; ++j)
        quarters[static_cast<size_t>(offset + j - 1)] = x.limb(j);

    const int32_t newCount = quarterCount / 2;
    x.store.assign(static_cast<size_t>(newCount) + 4, 0);
    for (int32_t j = 1; j <= newCount; ++j)
        x.limb(j) = quarters[static_cast<size_t>(2 * j - 2)] * kLimbBase + quarters[static_cast<size_t>(2 * j - 1)];
    x.limbCount = newCount;
    x.fracDigits = fracTarget;
    x.digitsPerLimb = 8;
    x = qslqwl(std::move(x));
}

void myUnpack8To4(BigNum& x)
{
    x = qslqwl(std::move(x));
    if (errorFlag == -1)
        return;
    std::vector<int32_t> store(static_cast<size_t>(2 * x.limbCount) + 4, 0);
    for (int32_t j = 1; j <= x.limbCount; ++j) {
        const int32_t v = x.limb(j);
        store[static_cast<size_t>(2 * j)] = v / kLimbBase;
        store[static_cast<size_t>(2 * j + 1)] = v % kLimbBase;
    }
    x.store = std::move(store);
    x.limbCount *= 2;
    x.digitsPerLimb = 4;
    x = qslqwl(std::move(x));
}

void myUnpack(BigNum& x, int k)
{
    x = qslqwl(std::move(x));
    if (errorFlag == -1)
        return;
    const int32_t newCount = x.limbCount * k;
    std::vector<int32_t> store(static_cast<size_t>(newCount) + 4, 0);
    // store[p + 1] is digit position p.
    for (int32_t j = 1; j <= x.limbCount; ++j) {
        const int32_t v = x.limb(j);
        const size_t last = static_cast<size_t>(j * k) + 1; // position of the units digit
        if (k == 4) {
            const int32_t* d = &digitTable[4 * v];
            store[last - 3] = d[0];
            store[last - 2] = d[1];
            store[last - 1] = d[2];
            store[last] = d[3];
        } else if (k == 3) {
            const int32_t* d = &digitTable[4 * v];
            store[last - 2] = d[1];
            store[last - 1] = d[2];
            store[last] = d[3];
        } else {
            int32_t rest = v;
            for (int m = 0; m < k; ++m) {
                store[last - static_cast<size_t>(m)] = rest % 10;
                rest /= 10;
            }
        }
    }
    x.store = std::move(store);
    x.limbCount = newCount;
    x.digitsPerLimb = 1;
    x = qslqwl(std::move(x));
}

BigNum myRegroup(BigNum y, int16_t target)
{
    if (errorFlag == -1)
        return BigNum{};
    switch (target) {
    case 1:
        if (y.digitsPerLimb == 8) myUnpack(y, 8);
        if (y.digitsPerLimb == 5) myUnpack(y, 5);
        if (y.digitsPerLimb == 4) myUnpack(y, 4);
        if (y.digitsPerLimb == 9) myUnpack(y, 9);
        if (y.digitsPerLimb == 3) myUnpack(y, 3);
        if (y.digitsPerLimb == 2) myUnpack(y, 2);
        break;
    case 4:
        if (y.digitsPerLimb == 9) myUnpack(y, 9);
        if (y.digitsPerLimb == 8) myUnpack8To4(y);
        if (y.digitsPerLimb == 3) myUnpack(y, 3);
        if (y.digitsPerLimb == 1) myPack(y, 4);
        break;
    case 8:
        if (y.digitsPerLimb == 9) myUnpack(y, 9);
        if (y.digitsPerLimb == 5) myUnpack(y, 5);
        if (y.digitsPerLimb == 3) myUnpack(y, 3);
        if (y.digitsPerLimb == 4) myPack4To8(y);
        if (y.digitsPerLimb == 1) myPack(y, 8);
        break;
    case 9:
        if (y.digitsPerLimb == 8) myUnpack(y, 8);
        if (y.digitsPerLimb == 4) myUnpack(y, 4);
        if (y.digitsPerLimb == 3) myUnpack(y, 3);
        if (y.digitsPerLimb == 1) myPack(y, 9);
        break;
    default:
        break;
    }
    return y;
}
