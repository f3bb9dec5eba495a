#include "reference.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "globals.h"
#include "startup.h"

namespace {

// Digits without a sign, the power of ten of the first one, stripped of
// leading and trailing zeros; "" for zero.
std::string canonicalFromParts(bool negative, std::string digits, long firstExp)
{
    size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0')
        ++lead;
    digits.erase(0, lead);
    firstExp -= static_cast<long>(lead);
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty())
        return "0";
    std::string t = negative ? "-" : "";
    t += digits[0];
    if (digits.size() > 1)
        t += "." + digits.substr(1);
    return t + "e" + std::to_string(firstExp);
}

std::string canonicalFromMpfr(mpfr_srcptr x, int32_t n, mpfr_rnd_t rnd)
{
    if (mpfr_zero_p(x))
        return "0";
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(std::max(n, 2)), x, rnd);
    std::string digits(s);
    mpfr_free_str(s);
    const bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    // mpfr_get_str gives at least two digits; cut to n by truncation, which
    // is exact for the round-toward-zero case and used only there with n < 2.
    if (n < 2)
        digits.resize(1);
    return canonicalFromParts(negative, digits, static_cast<long>(e) - 1);
}

} // namespace

std::string canonicalOf(const BigNum& x)
{
    if (x.isEmpty() || x.digitsPerLimb <= 0)
        return "<empty>";
    std::string digits;
    for (int32_t j = 1; j <= x.limbCount; ++j) {
        std::string limb = std::to_string(x.limb(j));
        digits += std::string(static_cast<size_t>(x.digitsPerLimb) - std::min(limb.size(), size_t(x.digitsPerLimb)), '0') + limb;
    }
    const long intDigits = static_cast<long>(digits.size()) - x.fracDigits;
    return canonicalFromParts(!x.isPositive(), digits, intDigits - 1 + x.exponent);
}

std::string canonicalTruncated(mpfr_srcptr x, int32_t n) { return canonicalFromMpfr(x, n, MPFR_RNDZ); }

std::string canonicalRounded(mpfr_srcptr x, int32_t n) { return canonicalFromMpfr(x, n, MPFR_RNDN); }

std::string canonicalOfDecimal(const std::string& decimal, int32_t n)
{
    Mpfr v(decimal, bitsForDigits(static_cast<int64_t>(decimal.size())));
    return canonicalTruncated(v, n);
}

Mpfr::Mpfr(mpfr_prec_t bits) { mpfr_init2(value_, bits); }

Mpfr::Mpfr(const std::string& decimal, mpfr_prec_t bits)
{
    mpfr_init2(value_, bits);
    mpfr_set_str(value_, decimal.c_str(), 10, MPFR_RNDN);
}

Mpfr::~Mpfr() { mpfr_clear(value_); }

mpfr_prec_t bitsForDigits(int64_t digits) { return static_cast<mpfr_prec_t>(digits * 34 / 10 + 128); }

BigNum bigFromDecimal(const std::string& decimal)
{
    const size_t e = decimal.find_first_of("eE");
    BigNum x = myStrToNum(decimal.substr(0, e));
    if (e != std::string::npos)
        x.exponent += std::stoi(decimal.substr(e + 1));
    return x;
}

std::string randomDecimal(std::mt19937_64& rng, int32_t digits, int32_t maxExp)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> nonzero(1, 9);
    std::string d(1, static_cast<char>('0' + nonzero(rng)));
    for (int32_t i = 1; i < digits; ++i)
        d += static_cast<char>('0' + digit(rng));
    std::uniform_int_distribution<int32_t> pointAt(0, digits);
    const int32_t p = pointAt(rng);
    std::string t;
    if (rng() % 2)
        t += '-';
    if (p == 0)
        t += "0." + d;
    else if (p == digits)
        t += d;
    else
        t += d.substr(0, static_cast<size_t>(p)) + "." + d.substr(static_cast<size_t>(p));
    if (maxExp > 0) {
        std::uniform_int_distribution<int32_t> exp(-maxExp, maxExp);
        const int32_t e = exp(rng);
        if (e != 0)
            t += "e" + std::to_string(e);
    }
    return t;
}

RecordingPort::RecordingPort() : previous_(&messagePort()) { setMessagePort(this); }

RecordingPort::~RecordingPort() { setMessagePort(previous_); }

void RecordingPort::showMessage(const std::string& text, MessageStyle style) { messages.emplace_back(text, style); }

void RecordingPort::setCaption(const std::string& text) { captions.push_back(text); }

void resetCoreForTest(int32_t precision)
{
    static bool started = false;
    if (!started) {
        startUp();
        started = true;
    }
    errorFlag = 0;
    workPrecision = precision;
    scientificOutput = kTrue;
    subFunctionTest = kFalse;
}

std::string canonicalRoundedHalfUp(mpfr_srcptr x, int32_t n)
{
    if (mpfr_zero_p(x))
        return "0";
    // Half up looks only at digit n + 1, so the exactly truncated n + 1
    // digits decide; the carry is done on the decimal text.
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n) + 1, x, MPFR_RNDZ);
    std::string digits(s);
    mpfr_free_str(s);
    const bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    long firstExp = static_cast<long>(e) - 1;
    const bool up = digits[static_cast<size_t>(n)] >= '5';
    digits.resize(static_cast<size_t>(n));
    if (up) {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++firstExp;
        } else {
            ++digits[i - 1];
        }
    }
    return canonicalFromParts(negative, digits, firstExp);
}

std::string scientificDisplayOf(const std::string& canonical)
{
    if (canonical == "0")
        return "0.0";
    const size_t e = canonical.find('e');
    std::string mantissa = canonical.substr(0, e);
    const std::string exp = canonical.substr(e + 1);
    if (mantissa.find('.') == std::string::npos)
        mantissa += ".0";
    return exp == "0" ? mantissa : mantissa + "E" + exp;
}
