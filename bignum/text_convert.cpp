// Numerals from the expression into records, and results into display text.
#include <algorithm>
#include <string>

#include "bignum/digit_span.h"
#include "bignum/globals.h"

BigNum myStrToNum(const std::string& text)
{
    if (errorFlag == -1)
        return BigNum{};
    size_t begin = 0;
    size_t end = text.size();
    bool positive = true;
    if (begin < end && text[begin] == '-') {
        positive = false;
        ++begin;
    }
    size_t points = 0;
    for (size_t i = begin; i < end; ++i) {
        if (text[i] == '.')
            ++points;
        else if (text[i] < '0' || text[i] > '9')
            return reportError("数字“" + text + "”的写法不正确", MessageStyle::Warning);
    }
    if (begin == end)
        return reportError("数字“" + text + "”的写法不正确", MessageStyle::Warning);
    if (points > 1)
        return reportError("数字“" + text + "”中有多个小数点", MessageStyle::Warning);

    // Leading zeros go (007 is 7, 00.5 is .5, a lone 0 stays).
    while (end - begin > 1 && text[begin] == '0')
        ++begin;
    std::string s = text.substr(begin, end - begin);
    if (s[0] == '.')
        s.insert(s.begin(), '0');
    size_t point = s.find('.');
    if (point == std::string::npos) {
        point = s.size();
        s += ".0";
    }
    // Trailing zeros go, keeping one digit after the point (1.000 is 1.0).
    if (s.size() > 3)
        while (s.back() == '0' && s[s.size() - 2] != '.')
            s.pop_back();

    const int32_t digitCount = static_cast<int32_t>(s.size()) - 1;
    BigNum x;
    x.positive = positive ? kTrue : kFalse;
    x.digitsPerLimb = 1;
    x.limbCount = digitCount;
    x.fracDigits = static_cast<int32_t>(s.size() - point - 1);
    x.exponent = 0;
    x.store.assign(static_cast<size_t>(digitCount) + 4, 0);
    int32_t j = 1;
    for (char c : s)
        if (c != '.')
            x.limb(j++) = c - '0';
    return qslqwl(std::move(x));
}

namespace {

// Whether a scientific-form value rounds to zero at the display's last decimal
// place: below 5 x 10^-shown, in both notations.
bool showsAsZero(const BigNum& sci, int32_t shown)
{
    const DigitSpan s = spanOf(sci);
    if (s.isZero())
        return true;
    return s.high < -shown || (s.high == -shown && s.digits[0] < 5);
}

std::string digitsWithPoint(const BigNum& x)
{
    std::string t;
    t.reserve(static_cast<size_t>(x.limbCount) + 2);
    const int32_t pointBefore = x.limbCount - x.fracDigits + 1;
    for (int32_t j = 1; j <= x.limbCount; ++j) {
        if (j == pointBefore)
            t += '.';
        t += static_cast<char>('0' + x.limb(j));
    }
    if (x.fracDigits <= 0)
        t += ".0";
    else if (pointBefore <= 0)
        t.insert(0, "0." + std::string(static_cast<size_t>(1 - pointBefore), '0'));
    return t;
}

} // namespace

std::string myNumToStr(const BigNum& x)
{
    if (errorFlag == -1 || x.isEmpty())
        return std::string();
    // Fewer than one shown digit is possible with a negative precision text;
    // one digit is the least that still says something.
    const int32_t shown = std::max(workPrecision - kHiddenDigits, 1);

    BigNum y = myToSci(myRegroup(x, 1));
    if (errorFlag == -1)
        return std::string();
    if (showsAsZero(y, shown))
        y = sciFromDigits(nullptr, 0, 0, true, 1);
    // A value below one in plain notation keeps shown - 1 decimal places (its
    // digit string, leading zero included, has shown digits). It is rounded
    // there once, from all its digits: rounding to shown significant digits
    // first and then to the decimal places would round twice (0.2345 to
    // three digits, 0.235, then to 0.24 instead of 0.23).
    const bool plain = scientificOutput == kFalse;
    if (plain && y.exponent < 0 && !isZero(y)) {
        myFromSci(y);
        y = myRoundSig(std::move(y), shown);
    } else {
        y = qslqwl(myRoundSig(std::move(y), shown));
        if (plain && errorFlag == 0 && y.exponent < kMaxPlainIntegerDigits)
            myFromSci(y);
    }
    if (errorFlag == -1)
        return std::string();
    if (isZero(y))
        y.positive = kTrue;

    std::string t = digitsWithPoint(y);
    if (t.size() > 3)
        while (t.back() == '0' && t[t.size() - 2] != '.')
            t.pop_back();
    size_t lead = 0;
    while (lead + 1 < t.size() && t[lead] == '0' && t[lead + 1] != '.')
        ++lead;
    t.erase(0, lead);
    if (!y.isPositive())
        t.insert(t.begin(), '-');
    if (y.exponent != 0)
        t += "E" + std::to_string(y.exponent);
    return t;
}
