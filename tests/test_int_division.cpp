// Integer quotient and remainder: the quotient truncated toward zero, the
// remainder with the dividend's sign, checked on hand examples and on random
// integers against GMP's mpz_tdiv_qr, by long division and by the reciprocal.
#include <gtest/gtest.h>

#include <gmp.h>

#include <algorithm>
#include <string>
#include <vector>

#include "funcs/division_testing.h"
#include "expr/evaluator.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "tests/support/reference.h"
#include "bignum/thresholds.h"

namespace {

class IntDivision : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

// Canonical text of an integer written in decimal ("-120" -> "-1.2e2").
std::string integerCanonical(std::string digits)
{
    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    if (digits == "0")
        return "0";
    const long firstExp = static_cast<long>(digits.size()) - 1;
    while (digits.back() == '0')
        digits.pop_back();
    std::string t = negative ? "-" : "";
    t += digits[0];
    if (digits.size() > 1)
        t += "." + digits.substr(1);
    return t + "e" + std::to_string(firstExp);
}

std::string mpzText(mpz_srcptr z)
{
    std::vector<char> buffer(mpz_sizeinbase(z, 10) + 2);
    mpz_get_str(buffer.data(), 10, z);
    return std::string(buffer.data());
}

std::string randomInteger(std::mt19937_64& rng, int32_t digits)
{
    std::string d(rng() % 2 ? "-" : "");
    d += static_cast<char>('1' + rng() % 9);
    for (int32_t i = 1; i < digits; ++i)
        d += static_cast<char>('0' + rng() % 10);
    return d;
}

TEST_F(IntDivision, HandExamples)
{
    struct Case {
        const char* a;
        const char* b;
        const char* quotient;
        const char* remainder;
    };
    const Case cases[] = {
        {"7", "2", "3e0", "1e0"},      {"-7", "2", "-3e0", "-1e0"},    {"7", "-2", "-3e0", "1e0"},
        {"-7", "-2", "3e0", "-1e0"},   {"5", "5", "1e0", "0"},         {"-5", "5", "-1e0", "0"},
        {"3", "7", "0", "3e0"},        {"-3", "7", "0", "-3e0"},       {"0", "5", "0", "0"},
        {"7.5", "2", "3e0", "1.5e0"},  {"7", "3", "2e0", "1e0"},       {"-6", "3", "-2e0", "0"},
        {"100", "0.3", "3.33e2", "1e-1"}, {"1e30", "7", "1.42857142857142857142857142857e29", "1e0"},
    };
    workPrecision = 40;
    for (const Case& c : cases) {
        const QuotRem qr = myMOD(bigFromDecimal(c.a), bigFromDecimal(c.b));
        EXPECT_EQ(canonicalOf(qr.quotient), c.quotient) << c.a << " \\ " << c.b;
        EXPECT_EQ(canonicalOf(qr.remainder), c.remainder) << c.a << " mod " << c.b;
    }
    EXPECT_EQ(errorFlag, 0);
}

// Quotients that fit the kept digits are exact on both division paths, and the
// remainder is formed exactly from them, also when the dividend is longer than
// the working precision: both as mpz_tdiv_qr gives them.
TEST_F(IntDivision, RandomIntegersAgreeWithGmp)
{
    struct Config {
        int count;
        int32_t extraMax, bMin, bMax, precision; // dividend digits: divisor digits + 0 .. extraMax
        bool exactMultiples;
    };
    const Config configs[] = {
        {300, 40, 1, 40, 40, false},     // long division
        {30, 590, 440, 500, 600, false}, // 440 x 600 digits and more: the reciprocal
        {10, 590, 440, 500, 600, true},  // and quotients without remainder
    };
    std::mt19937_64 rng(17);
    mpz_t a, b, q, r;
    mpz_inits(a, b, q, r, nullptr);
    const DivisionPathCounts before = divisionPathCounts();
    for (const Config& c : configs)
        for (int i = 0; i < c.count; ++i) {
            const int32_t nb = c.bMin + static_cast<int32_t>(rng() % static_cast<uint64_t>(c.bMax - c.bMin + 1));
            std::string bs = randomInteger(rng, nb);
            std::string as = randomInteger(rng, nb + static_cast<int32_t>(rng() % static_cast<uint64_t>(c.extraMax + 1)));
            mpz_set_str(a, as.c_str(), 10);
            mpz_set_str(b, bs.c_str(), 10);
            if (c.exactMultiples) {
                mpz_tdiv_q(q, a, b);
                mpz_mul(a, q, b);
                as = mpzText(a);
            }
            mpz_tdiv_qr(q, r, a, b);
            workPrecision = c.precision;
            const QuotRem qr = myMOD(bigFromDecimal(as), bigFromDecimal(bs));
            ASSERT_EQ(canonicalOf(qr.quotient), integerCanonical(mpzText(q))) << as << " \\ " << bs;
            ASSERT_EQ(canonicalOf(qr.remainder), integerCanonical(mpzText(r))) << as << " mod " << bs;
        }
    mpz_clears(a, b, q, r, nullptr);
    EXPECT_GE(divisionPathCounts().reciprocal - before.reciprocal, 40u);
}

// Digits with runs of 9s and 0s, where a quotient or remainder that is off by
// one unit shows: the first digit is not zero.
std::string digitsWithRuns(std::mt19937_64& rng, int32_t n)
{
    std::string d(1, static_cast<char>('1' + rng() % 9));
    while (static_cast<int32_t>(d.size()) < n) {
        const size_t run = 1 + rng() % static_cast<uint64_t>(std::max(n / 3, 1));
        const uint64_t kind = rng() % 3;
        for (size_t i = 0; i < run && static_cast<int32_t>(d.size()) < n; ++i)
            d += kind == 0 ? static_cast<char>('0' + rng() % 10) : kind == 1 ? '9' : '0';
    }
    return d;
}

// Operands as the arithmetic holds them (at most the kept digits each) whose
// integer quotient has far more digits than that: a = M x 10^k, b = N x 10^-s.
// The quotient is computed with all its integer digits, so the remainder is
// GMP's exact one and the quotient GMP's cut to the kept digits.
TEST_F(IntDivision, LongQuotientsAgreeWithGmp)
{
    std::mt19937_64 rng(23);
    mpz_t a, b, q, r;
    mpz_inits(a, b, q, r, nullptr);
    for (int32_t precision : {12, 40, 300})
        for (int32_t quotientDigits : {30, 31, 250, 2000, 20000})
            for (int rep = 0; rep < 3; ++rep) {
                const int32_t kept = precision + kGuardDigits;
                const std::string n = digitsWithRuns(rng, 1 + static_cast<int32_t>(rng() % kept));
                // the third time a multiple of b: remainder 0, quotient 10^(k+s)
                const std::string m = rep == 2 ? n : digitsWithRuns(rng, 1 + static_cast<int32_t>(rng() % kept));
                const int32_t s = rep == 0 ? 0 : static_cast<int32_t>(rng() % 5);
                const int32_t k = std::max<int32_t>(0, quotientDigits + static_cast<int32_t>(n.size()) - s -
                                                           static_cast<int32_t>(m.size()));
                const bool negativeA = rng() % 2 == 1;
                const bool negativeB = rng() % 2 == 1;
                const std::string as = (negativeA ? "-" : "") + m + "e" + std::to_string(k);
                const std::string bs = (negativeB ? "-" : "") + n + "e-" + std::to_string(s);
                // a / b = (M 10^(k+s)) / N; the remainder is scaled back by 10^-s.
                mpz_set_str(a, m.c_str(), 10);
                mpz_ui_pow_ui(q, 10, static_cast<unsigned long>(k + s));
                mpz_mul(a, a, q);
                mpz_set_str(b, n.c_str(), 10);
                if (negativeA)
                    mpz_neg(a, a);
                if (negativeB)
                    mpz_neg(b, b);
                mpz_tdiv_qr(q, r, a, b);
                ASSERT_GE(static_cast<int64_t>(mpz_sizeinbase(q, 10)), quotientDigits - 1);
                workPrecision = precision;
                const QuotRem qr = myMOD(bigFromDecimal(as), bigFromDecimal(bs));
                ASSERT_EQ(errorFlag, 0) << as << " mod " << bs;
                EXPECT_EQ(workPrecision, precision);
                ASSERT_EQ(canonicalOf(qr.remainder), canonicalOfDecimal(mpzText(r) + "e-" + std::to_string(s), kept))
                    << as << " mod " << bs << " at " << precision;
                ASSERT_EQ(canonicalOf(qr.quotient), canonicalOfDecimal(mpzText(q), kept))
                    << as << " \\ " << bs << " at " << precision;
            }
    mpz_clears(a, b, q, r, nullptr);
}

// A quotient with more integer digits than the bound is refused with a
// message, never answered with a remainder of cut digits.
TEST_F(IntDivision, QuotientBeyondTheBoundIsReported)
{
    RecordingPort port;
    const std::string tooLong = "1e" + std::to_string(kMaxExactQuotientDigits + 1);
    const QuotRem qr = myMOD(bigFromDecimal(tooLong), bigFromDecimal("7"));
    EXPECT_TRUE(qr.remainder.isEmpty());
    EXPECT_TRUE(qr.quotient.isEmpty());
    EXPECT_EQ(errorFlag, -1);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first,
              "myMOD除法子程序中商的整数部分超过" + std::to_string(kMaxExactQuotientDigits) + "位");
    EXPECT_EQ(port.messages[0].second, MessageStyle::Warning);
}

// "\" keeps the quotient and mod the remainder.
TEST_F(IntDivision, ThroughTheEvaluator)
{
    struct Case {
        const char* expression;
        const char* want;
    };
    for (const Case& c : {Case{"7\\2", "3e0"}, Case{"(-7)\\2", "-3e0"}, Case{"7\\(-2)", "-3e0"},
                          Case{"mod(7,3)", "1e0"}, Case{"mod(-7,2)", "-1e0"}, Case{"mod(7,(-2))", "1e0"},
                          Case{"mod(7.5,2)", "1.5e0"}, Case{"3\\7", "0"}, Case{"mod(1e50,7)", "2e0"},
                          Case{"mod(-1e40,7)", "-4e0"}}) {
        resetCoreForTest();
        EXPECT_EQ(canonicalOf(myEvaluate(c.expression, 40)), c.want) << c.expression;
        EXPECT_EQ(errorFlag, 0) << c.expression;
    }
}

TEST_F(IntDivision, ZeroDivisorIsReportedOnce)
{
    RecordingPort port;
    const QuotRem qr = myMOD(bigFromDecimal("5"), bigFromDecimal("0"));
    EXPECT_TRUE(qr.quotient.isEmpty());
    EXPECT_TRUE(qr.remainder.isEmpty());
    EXPECT_EQ(errorFlag, -1);
    EXPECT_TRUE(myMOD(bigFromDecimal("7"), bigFromDecimal("2")).quotient.isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first, "myMOD除法子程序中除数为零");
    EXPECT_EQ(port.messages[0].second, MessageStyle::Warning);
}

TEST_F(IntDivision, DigitsToNumber)
{
    EXPECT_EQ(canonicalOf(myDigitsToNum({0, 1, 2, 3}, 3)), "1.23e2");
    EXPECT_EQ(canonicalOf(myDigitsToNum({0, 0, 0, 7, 0}, 4)), "7e1");
    EXPECT_EQ(canonicalOf(myDigitsToNum({0}, 0)), "0");
    // A count beyond the array reads only what is there.
    EXPECT_EQ(canonicalOf(myDigitsToNum({0, 4, 2}, 1000)), "4.2e1");
}

} // namespace
