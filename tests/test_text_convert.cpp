// Numerals into records and results into display text, in both notations.
#include <gtest/gtest.h>

#include "bignum/globals.h"
#include "tests/support/reference.h"

namespace {

class TextConvert : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

// Display digits N = workPrecision - 8.
void showDigits(int32_t n) { workPrecision = n + kHiddenDigits; }

std::string show(const std::string& decimal, bool scientific)
{
    scientificOutput = scientific ? kTrue : kFalse;
    return myNumToStr(bigFromDecimal(decimal));
}

TEST_F(TextConvert, NumeralsBecomeNormalisedRecords)
{
    struct Case {
        const char* text;
        std::vector<int32_t> digits;
        int32_t frac;
        bool positive;
    };
    const Case cases[] = {
        {"5", {5, 0}, 1, true},
        {"-.5", {0, 5}, 1, false},
        {".5", {0, 5}, 1, true},
        {"007", {7, 0}, 1, true},
        {"0", {0, 0}, 1, true},
        {"-0", {0, 0}, 1, false},
        {"12.3400", {1, 2, 3, 4}, 2, true},
        {"1.000", {1, 0}, 1, true},
        {"0.0", {0, 0}, 1, true},
        {"5.", {5}, 0, true},
        {".", {0}, 0, true},
        {"00.50", {0, 5}, 1, true},
        {"100", {1, 0, 0, 0}, 1, true},
    };
    for (const Case& c : cases) {
        const BigNum x = myStrToNum(c.text);
        std::vector<int32_t> digits;
        for (int32_t j = 1; j <= x.limbCount; ++j)
            digits.push_back(x.limb(j));
        EXPECT_EQ(digits, c.digits) << c.text;
        EXPECT_EQ(x.fracDigits, c.frac) << c.text;
        EXPECT_EQ(x.isPositive(), c.positive) << c.text;
        EXPECT_EQ(x.exponent, 0);
        EXPECT_EQ(x.digitsPerLimb, 1);
    }
}

TEST_F(TextConvert, MalformedNumeralsAreReported)
{
    for (const char* text : {"1.2.3", "..", "1..", "-", "", "12a", "--1"}) {
        RecordingPort port;
        errorFlag = 0;
        EXPECT_TRUE(myStrToNum(text).isEmpty()) << text;
        EXPECT_EQ(errorFlag, -1) << text;
        ASSERT_EQ(port.messages.size(), 1u) << text;
        EXPECT_EQ(port.messages[0].second, MessageStyle::Warning);
    }
}

TEST_F(TextConvert, DisplayExamples)
{
    struct Case {
        int32_t shown;
        const char* value;
        const char* scientific;
        const char* plain;
    };
    const Case cases[] = {
        {20, "5", "5.0", "5.0"},
        {20, "-0", "0.0", "0.0"},
        {20, "1.5e-25", "0.0", "0.0"},
        {20, "4.9e-20", "0.0", "0.0"},
        {20, "5e-20", "5.0E-20", "0.0000000000000000001"},
        {20, "123.45", "1.2345E2", "123.45"},
        {20, "0.666666666666666666666666", "6.6666666666666666667E-1", "0.6666666666666666667"},
        {20, "-0.125", "-1.25E-1", "-0.125"},
        {20, "3e-7", "3.0E-7", "0.0000003"},
        {20, "12345678901234567890123", "1.234567890123456789E22", "12345678901234567890000.0"},
        {20, "99999999999999999999.7", "1.0E20", "100000000000000000000.0"},
        {3, "0.0149", "1.49E-2", "0.01"},
        {3, "0.2345", "2.35E-1", "0.23"}, // rounded once, not via 0.235
        {3, "0.9951", "9.95E-1", "1.0"},
        {3, "-0.0004", "0.0", "0.0"},
        {32, "1e40", "1.0E40", "10000000000000000000000000000000000000000.0"},
        {1, "7.5", "8.0", "8.0"},
    };
    for (const Case& c : cases) {
        showDigits(c.shown);
        EXPECT_EQ(show(c.value, true), c.scientific) << c.value << " N=" << c.shown;
        EXPECT_EQ(show(c.value, false), c.plain) << c.value << " N=" << c.shown;
    }
}

// Far beyond the digits a screen can hold, plain notation falls back to the
// scientific form instead of writing millions of zeros.
TEST_F(TextConvert, HugeValuesStayScientificInPlainNotation)
{
    showDigits(10);
    EXPECT_EQ(show("2e1999999999", false), "2.0E1999999999");
    EXPECT_EQ(show("2e1999999999", true), "2.0E1999999999");
    EXPECT_EQ(show("-3e-1999999999", false), "0.0");
}

// Scientific display of random values: half-up rounding to N digits, values
// below 5 x 10^-N shown as zero. Every other value has runs of 9s and 0s
// around the digit the display rounds at, where the carry may run through
// every shown digit.
TEST_F(TextConvert, ScientificDisplayAgreesWithExactRounding)
{
    std::mt19937_64 rng(77);
    for (int round = 0; round < 800; ++round) {
        const int32_t shown = 1 + static_cast<int32_t>(rng() % 120);
        const int32_t digits = 1 + static_cast<int32_t>(rng() % 150);
        const std::string value =
            round % 2 ? randomDecimalWithRunAt(rng, digits, 60, shown) : randomDecimal(rng, digits, 60);
        showDigits(shown);
        const ExactDecimal exact(value);
        const ExactDecimal threshold(std::string("5e-") + std::to_string(shown));
        const bool tiny = [&] {
            const ExactDecimal magnitude(value[0] == '-' ? value.substr(1) : value);
            return mpz_sgn((magnitude - threshold).mantissa()) < 0;
        }();
        const std::string want = tiny ? "0.0" : scientificDisplayOf(exact.roundedHalfUp(shown));
        ASSERT_EQ(show(value, true), want) << value << " N=" << shown;
    }
}

// Plain text of |x| < 1 rounded half up once, at N - 1 decimal places.
std::string plainBelowOne(const ExactDecimal& x, int32_t shown)
{
    mpz_t r, scale;
    mpz_inits(r, scale, nullptr);
    mpz_abs(r, x.mantissa());
    const long shift = x.exp10() + shown - 1;
    if (shift >= 0) {
        mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(shift));
        mpz_mul(r, r, scale);
    } else {
        // floor((2r + 10^-shift) / (2 x 10^-shift))
        mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(-shift));
        mpz_mul_2exp(r, r, 1);
        mpz_add(r, r, scale);
        mpz_mul_2exp(scale, scale, 1);
        mpz_fdiv_q(r, r, scale);
    }
    std::string d(mpz_sizeinbase(r, 10) + 2, '\0');
    mpz_get_str(d.data(), 10, r);
    d.resize(d.find('\0'));
    const bool zero = mpz_sgn(r) == 0;
    mpz_clears(r, scale, nullptr);
    if (static_cast<int32_t>(d.size()) < shown)
        d.insert(0, static_cast<size_t>(shown) - d.size(), '0');
    const size_t point = d.size() - static_cast<size_t>(shown - 1);
    std::string t = d.substr(0, point) + "." + (shown == 1 ? "0" : d.substr(point));
    while (t.back() == '0' && t[t.size() - 2] != '.')
        t.pop_back();
    return (!zero && mpz_sgn(x.mantissa()) < 0 ? "-" : "") + t;
}

// Plain display of random values below one against a single half-up rounding
// of the exact value; runs of 4s and 9s put the digit after the last shown
// one where a second rounding would carry.
TEST_F(TextConvert, PlainDisplayBelowOneRoundsOnce)
{
    std::mt19937_64 rng(78);
    for (int round = 0; round < 1000; ++round) {
        const int32_t shown = 1 + static_cast<int32_t>(rng() % 60);
        std::string value = rng() % 2 ? "-0." : "0.";
        value += std::string(rng() % static_cast<uint64_t>(shown + 2), '0');
        const int32_t digits = 1 + static_cast<int32_t>(rng() % 80);
        for (int32_t i = 0; i < digits; ++i) {
            const uint64_t pick = rng() % 4;
            value += pick == 0 ? '4' : pick == 1 ? '9' : static_cast<char>('0' + rng() % 10);
        }
        showDigits(shown);
        ASSERT_EQ(show(value, false), plainBelowOne(ExactDecimal(value), shown)) << value << " N=" << shown;
    }
}

// Display of a record in any limb size gives the same text.
TEST_F(TextConvert, LimbSizeDoesNotChangeTheText)
{
    showDigits(32);
    EXPECT_EQ(myNumToStr(bigTen), "1.0E1");
    EXPECT_EQ(myNumToStr(bigHalf), "5.0E-1");
    EXPECT_EQ(myNumToStr(bigZero), "0.0");
    EXPECT_EQ(myNumToStr(bigMinusOne), "-1.0");
}

} // namespace
