#include "tests/support/reference.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bignum/globals.h"
#include "expr/startup.h"

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

std::string canonicalOfDecimal(const std::string& decimal, int32_t n) { return ExactDecimal(decimal).truncated(n); }

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

namespace {

std::string randomSignificand(std::mt19937_64& rng, int32_t digits)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> nonzero(1, 9);
    std::string d(1, static_cast<char>('0' + nonzero(rng)));
    for (int32_t i = 1; i < digits; ++i)
        d += static_cast<char>('0' + digit(rng));
    return d;
}

// The significand d with a random point, exponent and sign.
std::string placeSignificand(std::mt19937_64& rng, const std::string& d, int32_t maxExp)
{
    const auto digits = static_cast<int32_t>(d.size());
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

} // namespace

std::string repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t k = 0; k < n; ++k)
        out += s;
    return out;
}

std::string randomDecimal(std::mt19937_64& rng, int32_t digits, int32_t maxExp)
{
    return placeSignificand(rng, randomSignificand(rng, digits), maxExp);
}

std::string randomDecimalWithRunAt(std::mt19937_64& rng, int32_t digits, int32_t maxExp, int32_t cut)
{
    std::string d = randomSignificand(rng, digits);
    const int shape = static_cast<int>(rng() % 4); // 0: uniform, 1: 9s, 2: 0s, 3: 9s then 0s
    const int64_t from = std::max<int64_t>(0, static_cast<int64_t>(cut) - static_cast<int64_t>(rng() % 13));
    const int64_t after = static_cast<int64_t>(cut) + 1 + static_cast<int64_t>(rng() % 30);
    const int64_t to = rng() % 4 == 0 ? digits : std::min<int64_t>(digits, after);
    for (int64_t i = from; i < to && shape != 0; ++i) {
        const bool nine = shape == 1 || (shape == 3 && i < cut);
        d[static_cast<size_t>(i)] = nine ? '9' : '0';
    }
    if (d[0] == '0') // the first digit stays significant
        d[0] = static_cast<char>('1' + rng() % 9);
    std::uniform_int_distribution<int32_t> exp(-maxExp, maxExp);
    const std::string sign = rng() % 2 ? "-" : "";
    const int32_t e = exp(rng);
    return sign + d.substr(0, 1) + (digits > 1 ? "." + d.substr(1) : "") + "e" + std::to_string(e);
}

RecordingPort::RecordingPort() : previous_(&messagePort()) { setMessagePort(this); }

RecordingPort::~RecordingPort() { setMessagePort(previous_); }

void RecordingPort::showMessage(const std::string& text, MessageStyle style) { messages.emplace_back(text, style); }

void RecordingPort::setCaption(const std::string& text) { captions.push_back(text); }

::testing::AssertionResult refusedWith(const BigNum& result, const RecordingPort& port, const std::string& message)
{
    if (!result.isEmpty())
        return ::testing::AssertionFailure() << "a result instead of nothing";
    if (errorFlag != -1)
        return ::testing::AssertionFailure() << "error flag " << errorFlag;
    if (port.messages.size() != 1)
        return ::testing::AssertionFailure() << port.messages.size() << " messages";
    if (port.messages[0].first != message)
        return ::testing::AssertionFailure() << "message \"" << port.messages[0].first << "\", want \"" << message
                                             << "\"";
    if (port.messages[0].second != MessageStyle::Plain)
        return ::testing::AssertionFailure() << "message not in the plain style";
    return ::testing::AssertionSuccess();
}

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

namespace {

// Half up looks only at digit n + 1, so the exactly truncated n + 1 digits
// decide; the carry is done on the decimal text.
std::string roundDigitsHalfUp(bool negative, std::string digits, long firstExp, int32_t n)
{
    if (digits.size() <= static_cast<size_t>(n))
        return canonicalFromParts(negative, digits, firstExp);
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

} // namespace

std::string canonicalRoundedHalfUp(mpfr_srcptr x, int32_t n)
{
    if (mpfr_zero_p(x))
        return "0";
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n) + 1, x, MPFR_RNDZ);
    std::string digits(s);
    mpfr_free_str(s);
    const bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    return roundDigitsHalfUp(negative, digits, static_cast<long>(e) - 1, n);
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

ExactDecimal::ExactDecimal() { mpz_init(mantissa_); }

ExactDecimal::ExactDecimal(const std::string& decimal)
{
    mpz_init(mantissa_);
    const size_t e = decimal.find_first_of("eE");
    std::string m = decimal.substr(0, e);
    if (e != std::string::npos)
        exp10_ = std::stol(decimal.substr(e + 1));
    const size_t point = m.find('.');
    if (point != std::string::npos) {
        exp10_ -= static_cast<long>(m.size() - point - 1);
        m.erase(point, 1);
    }
    if (m.empty() || m == "-")
        m += "0";
    mpz_set_str(mantissa_, m.c_str(), 10);
}

ExactDecimal::ExactDecimal(const ExactDecimal& other) : exp10_(other.exp10_) { mpz_init_set(mantissa_, other.mantissa_); }

ExactDecimal& ExactDecimal::operator=(const ExactDecimal& other)
{
    mpz_set(mantissa_, other.mantissa_);
    exp10_ = other.exp10_;
    return *this;
}

ExactDecimal::~ExactDecimal() { mpz_clear(mantissa_); }

namespace {

// Mantissa of x scaled to the exponent `to` (to <= x.exp10()).
void scaledMantissa(mpz_t out, const ExactDecimal& x, long to)
{
    mpz_ui_pow_ui(out, 10, static_cast<unsigned long>(x.exp10() - to));
    mpz_mul(out, out, x.mantissa());
}

ExactDecimal combine(const ExactDecimal& a, const ExactDecimal& b, bool subtract)
{
    const long to = std::min(a.exp10(), b.exp10());
    mpz_t x, y;
    mpz_init(x);
    mpz_init(y);
    scaledMantissa(x, a, to);
    scaledMantissa(y, b, to);
    if (subtract)
        mpz_sub(x, x, y);
    else
        mpz_add(x, x, y);
    char* s = mpz_get_str(nullptr, 10, x);
    ExactDecimal r(std::string(s) + "e" + std::to_string(to));
    void (*freeFunction)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &freeFunction);
    freeFunction(s, std::strlen(s) + 1);
    mpz_clear(x);
    mpz_clear(y);
    return r;
}

std::string mpzText(mpz_srcptr z)
{
    char* s = mpz_get_str(nullptr, 10, z);
    std::string t(s);
    void (*freeFunction)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &freeFunction);
    freeFunction(s, std::strlen(s) + 1);
    return t;
}

} // namespace

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) { return combine(a, b, false); }

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b) { return combine(a, b, true); }

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b)
{
    ExactDecimal r;
    mpz_mul(r.mantissa_, a.mantissa_, b.mantissa_);
    r.exp10_ = a.exp10_ + b.exp10_;
    return r;
}

namespace {

// Sign, digits and the power of ten of the first digit of mantissa * 10^exp10.
struct DecimalDigits {
    bool negative = false;
    std::string digits; // "0" for zero
    long firstExp = 0;
};

DecimalDigits decimalDigits(mpz_srcptr mantissa, long exp10)
{
    DecimalDigits d;
    d.digits = mpzText(mantissa);
    d.negative = d.digits[0] == '-';
    if (d.negative)
        d.digits.erase(0, 1);
    d.firstExp = exp10 + static_cast<long>(d.digits.size()) - 1;
    return d;
}

} // namespace

std::string ExactDecimal::truncated(int32_t n) const
{
    DecimalDigits d = decimalDigits(mantissa_, exp10_);
    if (d.digits == "0")
        return "0";
    if (n > 0 && d.digits.size() > static_cast<size_t>(n))
        d.digits.resize(static_cast<size_t>(n));
    return canonicalFromParts(d.negative, d.digits, d.firstExp);
}

std::string ExactDecimal::roundedHalfUp(int32_t n) const
{
    const DecimalDigits d = decimalDigits(mantissa_, exp10_);
    if (d.digits == "0")
        return "0";
    return roundDigitsHalfUp(d.negative, d.digits, d.firstExp, n);
}

ExactDecimal ExactDecimal::cut(int32_t n) const
{
    const std::string t = truncated(n);
    return ExactDecimal(t == "0" ? std::string("0") : t);
}

std::string ExactDecimal::quotientTruncated(const ExactDecimal& a, const ExactDecimal& b, int32_t n)
{
    if (mpz_sgn(a.mantissa_) == 0)
        return "0";
    // Scale the dividend so the integer quotient has at least n + 2 digits;
    // its leading digits are then exactly those of the truncated quotient.
    const long da = static_cast<long>(mpz_sizeinbase(a.mantissa_, 10));
    const long db = static_cast<long>(mpz_sizeinbase(b.mantissa_, 10));
    const long s = std::max(0L, n + 3 + db - da);
    mpz_t q;
    mpz_init(q);
    mpz_ui_pow_ui(q, 10, static_cast<unsigned long>(s));
    mpz_mul(q, q, a.mantissa_);
    mpz_tdiv_q(q, q, b.mantissa_);
    ExactDecimal r;
    mpz_set(r.mantissa_, q);
    r.exp10_ = a.exp10_ - b.exp10_ - s;
    mpz_clear(q);
    return r.truncated(n);
}
