// Square roots: the radicand's significant digits become a long decimal
// integer whose integer square root, read back, carries the digits of the
// root. The integer is padded so that the root has about a fifth more digits
// than the precision needs.
#include "funcs/square_root.h"

#include <algorithm>
#include <vector>

#include "bignum/digit_span.h"
#include "bignum/globals.h"
#include "funcs/gmp_sqrt.h"
#include "bignum/stop_request.h"

// Length of the integer handed to the integer root: about 2.4 p digits, even,
// plus three when the radicand's exponent w is even and two when it is odd,
// so that (length - 1 - w) is even and the root's point falls on a digit.
int64_t sqrtRadicandLength(int64_t p, int64_t w, int64_t keep)
{
    // 2 * p * 1.2 rounded to nearest (never a tie for whole p), then made even.
    int64_t g = (24 * p + 5) / 10;
    g = (g / 2) * 2;
    int64_t l = g + (w % 2 == 0 ? 3 : 2);
    // Below about 20 digits a fifth more is fewer than the four guard digits:
    // the root must still carry all keep digits (and the radicand fit).
    while (l < 2 * keep + 1)
        l += 2;
    return l;
}

BigNum mySqrt(const BigNum& x)
{
    // Logarithms and fractional powers chain dozens of roots.
    if (errorFlag == -1 || stopHere())
        return BigNum{};
    if (!x.isPositive() && !isZero(x))
        return reportError(kNegativeRadicandMessage, MessageStyle::Plain);
    if (myCompareAbs(x, bigZero) == 0)
        return bigZero;
    if (myCompareAbs(x, bigOne) == 0)
        return bigOne;

    const int32_t keep = workPrecision + kGuardDigits;
    const BigNum regrouped = x.digitsPerLimb == 1 ? BigNum{} : myRegroup(x, 1);
    const DigitSpan s = spanOf(x.digitsPerLimb == 1 ? x : regrouped);
    if (errorFlag == -1 || s.isZero())
        return BigNum{};
    // The radicand's first keep significant digits d1..dn, d1 nonzero, with
    // d1 at 10^w: the value that a cut to keep digits leaves.
    const int64_t n = std::min<int64_t>(s.count, std::max(keep, 1));
    const int64_t w = s.high;
    const int64_t l = sqrtRadicandLength(std::max(workPrecision, 1), w, std::max(keep, 1));

    // Positions -1 .. l + 2 as in the root's text contract; text from position 1.
    std::vector<char> buffer(static_cast<size_t>(l) + 4, 0);
    char* text = buffer.data() + 2;
    for (int64_t i = 0; i < n; ++i)
        text[i] = static_cast<char>('0' + s.digits[i]);
    std::fill(text + n, text + l, '0');

    // text = x * 10^(l - 1 - w), an even power of ten, so its root is
    // sqrt(x) * 10^((l - 1 - w) / 2).
    gmpz_sqrt(text);

    // Every digit of the root up to its terminator is correct (the root is
    // rounded down, its leading digit nonzero); the first keep of them, less
    // trailing zeros, are the result.
    int64_t r = 0;
    while (r < l && text[r] != '\0')
        ++r;
    if (r == 0 || text[0] == '0')
        return sciFromDigits(nullptr, 0, 0, true, 1); // zero
    int64_t used = std::min<int64_t>(r, std::max(keep, 1));
    while (used > 1 && text[used - 1] == '0')
        --used;
    const int64_t high = (r - 1) - (l - 1 - w) / 2;
    if (!exponentFits(high))
        return BigNum{};
    BigNum root;
    root.positive = kTrue;
    root.digitsPerLimb = 1;
    root.limbCount = static_cast<int32_t>(std::max<int64_t>(used, 2)); // one fraction digit at least
    root.fracDigits = root.limbCount - 1;
    root.exponent = static_cast<int32_t>(high);
    root.store.assign(static_cast<size_t>(root.limbCount) + 4, 0);
    for (int64_t i = 0; i < used; ++i)
        root.limb(static_cast<int32_t>(i) + 1) = text[i] - '0';
    return root;
}
