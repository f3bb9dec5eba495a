#include "funcs/whole_number.h"

#include <vector>

#include "bignum/digit_span.h"
#include "bignum/globals.h"

bool hasFractionalPart(const BigNum& x)
{
    if (x.isEmpty())
        return false;
    return withSpan(x, [](const DigitSpan& s) { return !s.isZero() && s.low() < 0; });
}

int64_t integerMagnitudeCapped(const BigNum& x, int64_t cap)
{
    if (x.isEmpty())
        return 0;
    return withSpan(x, [cap](const DigitSpan& s) -> int64_t {
        if (s.isZero() || s.high < 0)
            return 0;
        // Past 18 digits the value is beyond any cap an int64 can express.
        if (s.high >= 18)
            return cap;
        int64_t v = 0;
        for (int64_t power = s.high, j = 0; power >= 0; --power, ++j) {
            v = v * 10 + (j < s.count ? s.digits[j] : 0);
            if (v >= cap)
                return cap;
        }
        return v;
    });
}

BigNum bigFromInteger(int64_t v)
{
    const bool positive = v >= 0;
    uint64_t magnitude = positive ? static_cast<uint64_t>(v) : 0 - static_cast<uint64_t>(v);
    std::vector<int32_t> digits;
    do {
        digits.insert(digits.begin(), static_cast<int32_t>(magnitude % 10));
        magnitude /= 10;
    } while (magnitude > 0);
    digits.push_back(0); // the fraction digit
    return makeFromDigits(digits, 1, 0, positive);
}

BigNum smallInteger(int64_t v) { return makeSmallConstant(kTrue, 9, 9, static_cast<int32_t>(v), 0); }
