#include "bignum/kept_window.h"

#include <algorithm>
#include <cstring>

#include "bignum/digit_blocks.h"
#include "bignum/globals.h"
#include "bignum/scratch_digits.h"

namespace {

bool holds(const DigitSpan& s, int64_t i) { return i <= s.high && i >= s.low(); }

int32_t digitAt(const DigitSpan& s, int64_t i) { return holds(s, i) ? s.digits[s.high - i] : 0; }

// Carry that a + b sends into the position i: the first digit sum below i
// that is not 9 decides it. Where neither has a digit the sum is 0.
int32_t carryInto(const DigitSpan& a, const DigitSpan& b, int64_t i)
{
    for (int64_t k = i - 1;; --k) {
        if (!holds(a, k) && !holds(b, k))
            return 0;
        const int32_t s = digitAt(a, k) + digitAt(b, k);
        if (s != 9)
            return s > 9 ? 1 : 0;
    }
}

// Borrow that big - small sends into the position i: the first pair of
// unequal digits below i decides it. A stretch where neither has digits is
// equal throughout, so it is stepped over at once (1 - 1e-900000).
int32_t borrowInto(const DigitSpan& big, const DigitSpan& small, int64_t i)
{
    int64_t k = i - 1;
    for (;;) {
        if (!holds(big, k) && !holds(small, k)) {
            bool below = false;
            int64_t next = 0;
            for (const DigitSpan* s : {&big, &small})
                if (s->high < k) {
                    next = below ? std::max(next, s->high) : s->high;
                    below = true;
                }
            if (!below)
                return 0;
            k = next;
            continue;
        }
        const int32_t d = digitAt(big, k) - digitAt(small, k);
        if (d != 0)
            return d < 0 ? 1 : 0;
        --k;
    }
}

// The runs below work on len digits, index len - 1 the lowest, and return
// the carry (or borrow) out of index 0. Whole blocks of eight go first, from
// the low end; the digits left at the top one at a time.

int32_t addRun(const int32_t* x, const int32_t* y, int64_t len, int32_t c, int32_t* out)
{
    int64_t k = len;
    for (; k >= kDigitBlock; k -= kDigitBlock) {
        const int32_t v = blockSum(x + k - kDigitBlock, y + k - kDigitBlock) + c;
        c = v >= kDigitBlockBase ? 1 : 0;
        writeBlock(v - c * kDigitBlockBase, out + k - kDigitBlock);
    }
    for (--k; k >= 0; --k) {
        const int32_t s = x[k] + y[k] + c;
        c = s > 9 ? 1 : 0;
        out[k] = s - 10 * c;
    }
    return c;
}

int32_t subtractRun(const int32_t* x, const int32_t* y, int64_t len, int32_t c, int32_t* out)
{
    int64_t k = len;
    for (; k >= kDigitBlock; k -= kDigitBlock) {
        const int32_t v = blockDifference(x + k - kDigitBlock, y + k - kDigitBlock) - c;
        c = v < 0 ? 1 : 0;
        writeBlock(v + c * kDigitBlockBase, out + k - kDigitBlock);
    }
    for (--k; k >= 0; --k) {
        const int32_t d = x[k] - y[k] - c;
        c = d < 0 ? 1 : 0;
        out[k] = d + 10 * c;
    }
    return c;
}

// x plus (kAdd) or minus the incoming carry: it stops at the first digit it
// does not pass through, the rest is a plain copy.
template <bool kAdd>
int32_t carryRun(const int32_t* x, int64_t len, int32_t c, int32_t* out)
{
    int64_t k = len - 1;
    for (; k >= 0 && c != 0; --k) {
        const int32_t s = kAdd ? x[k] + 1 : x[k] - 1;
        c = (kAdd ? s > 9 : s < 0) ? 1 : 0;
        out[k] = kAdd ? s - 10 * c : s + 10 * c;
    }
    if (k >= 0)
        std::memcpy(out, x, static_cast<size_t>(k + 1) * sizeof(int32_t));
    return c;
}

// 0 - y - c.
int32_t negateRun(const int32_t* y, int64_t len, int32_t c, int32_t* out)
{
    int64_t k = len;
    for (; k >= kDigitBlock; k -= kDigitBlock) {
        const int32_t v = -blockOf(y + k - kDigitBlock) - c;
        c = v < 0 ? 1 : 0;
        writeBlock(v + c * kDigitBlockBase, out + k - kDigitBlock);
    }
    for (--k; k >= 0; --k) {
        const int32_t d = -y[k] - c;
        c = d < 0 ? 1 : 0;
        out[k] = d + 10 * c;
    }
    return c;
}

// Positions where neither operand has a digit: a carry becomes one 1, a
// borrow makes 9s throughout.
template <bool kAdd>
int32_t gapRun(int64_t len, int32_t c, int32_t* out)
{
    std::fill(out, out + len, kAdd ? 0 : 9 * c);
    if (kAdd) {
        out[len - 1] = c;
        return 0;
    }
    return c;
}

// Digits of x + y (kAdd) or x - y at the positions lo .. up into out, out[0]
// holding the position up, from the carry or borrow c into lo; returns the
// carry or borrow out of up. The range is cut where either operand starts or
// ends, so each piece runs one loop without tests of which digits exist.
template <bool kAdd>
int32_t combineRange(const DigitSpan& x, const DigitSpan& y, int64_t lo, int64_t up, int32_t c, int32_t* out)
{
    for (int64_t pos = lo; pos <= up;) {
        const bool inX = holds(x, pos);
        const bool inY = holds(y, pos);
        int64_t end = up;
        end = std::min(end, inX ? x.high : (x.low() > pos ? x.low() - 1 : up));
        end = std::min(end, inY ? y.high : (y.low() > pos ? y.low() - 1 : up));
        const int64_t len = end - pos + 1;
        int32_t* o = out + (up - end);
        const int32_t* px = inX ? x.digits + (x.high - end) : nullptr;
        const int32_t* py = inY ? y.digits + (y.high - end) : nullptr;
        if (inX && inY)
            c = kAdd ? addRun(px, py, len, c, o) : subtractRun(px, py, len, c, o);
        else if (inX)
            c = carryRun<kAdd>(px, len, c, o);
        else if (inY)
            c = kAdd ? carryRun<true>(py, len, c, o) : negateRun(py, len, c, o);
        else
            c = gapRun<kAdd>(len, c, o);
        pos = end + 1;
    }
    return c;
}

// Where the window is formed before it becomes a record (every digit of it
// is written).
struct KeptWindowScratch;
int32_t* windowOf(int64_t digits) { return scratchDigits<KeptWindowScratch>(digits); }

} // namespace

BigNum keptSum(const DigitSpan& a, const DigitSpan& b, bool positive, int32_t keep)
{
    const DigitSpan& big = a.high >= b.high ? a : b;
    const DigitSpan& small = a.high >= b.high ? b : a;
    keep = std::max(keep, 1);
    // Whether the sum gains a digit in front decides where the cut falls;
    // short operands end the window at their last digit.
    const int32_t carryTop = carryInto(big, small, big.high + 1);
    const int64_t lead = big.high + carryTop;
    const int64_t cut = std::max(lead - keep + 1, std::min(big.low(), small.low()));
    const int64_t count = lead - cut + 1;
    int32_t* out = windowOf(count);
    out[0] = carryTop;
    if (cut <= big.high)
        combineRange<true>(big, small, cut, big.high, carryInto(big, small, cut), out + carryTop);
    return sciFromDigits(out, count, lead, positive, keep);
}

std::optional<BigNum> keptDifference(const DigitSpan& big, const DigitSpan& small, bool positive, int32_t keep)
{
    keep = std::max(keep, 1);
    // Above the first position where the operands differ the digits cancel
    // without a borrow; the result starts there or, when a borrow takes that
    // 1 away, one place lower. One digit beyond the kept ones covers both.
    // A window that reaches the operands' last digit holds the whole
    // difference, however far its leading digits cancel.
    int64_t top = big.high;
    while (digitAt(big, top) == digitAt(small, top))
        --top;
    const int64_t bottom = std::min(big.low(), small.low());
    const int64_t cut = std::max(top - keep, bottom);
    const int64_t count = top - cut + 1;
    int32_t* out = windowOf(count);
    combineRange<false>(big, small, cut, top, borrowInto(big, small, cut), out);
    if (cut > bottom && out[0] == 0 && out[1] == 0)
        return std::nullopt;
    return sciFromDigits(out, count, top, positive, keep);
}
