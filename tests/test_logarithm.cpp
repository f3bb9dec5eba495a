// ln and log against MPFR over the exponent range (far beyond the 16-bit
// exponents of old), next to 1 on both sides, and past the ln 10 table; the
// exact points, the messages, the timing caption, and the exact integer
// quotients of the series division.
#include <gtest/gtest.h>
#include <gmp.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "funcs/logarithm.h"
#include "funcs/long_division.h"
#include "bignum/digit_span.h"
#include "tests/support/reference.h"
#include "funcs/whole_number.h"

namespace {

class Logarithm : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

const MpfrUnary kLn = [](mpfr_ptr out, mpfr_srcptr x) { mpfr_log(out, x, MPFR_RNDN); };
const MpfrUnary kLog = [](mpfr_ptr out, mpfr_srcptr x) { mpfr_log10(out, x, MPFR_RNDN); };

constexpr size_t kLong = 2100;
std::string nearOneAbove(int n) { return longDecimal("1." + std::string(static_cast<size_t>(n - 1), '0'), kLong); }
std::string nearOneBelow(int n) { return longDecimal("0." + std::string(static_cast<size_t>(n), '9'), kLong); }

TEST_F(Logarithm, LnAgreesWithMpfr)
{
    // Exponents from 1e-9000 to 1e9000 and beyond 9999 (1e-10000 is
    // 1e-5000 * 1e-5000); next to 1 the result is small and every digit the
    // argument shares with 1 would be lost without more guard digits.
    const std::vector<std::string> arguments = {
        "2",           "0.5",          "7",          "1e-9000",     "1e9000",      "9.99e8999",   "3.7e-9000",
        "1e-10000",    "2.5e123456",   "1e-1999999999", "123456.789", "2.718281828459045", "0.1", "9.5",
        "1.0000001",   "0.9999999",    nearOneAbove(40), nearOneBelow(40), nearOneAbove(600), nearOneBelow(600),
        nearOneAbove(1500), nearOneBelow(1500), nearOneAbove(3000), nearOneBelow(3000),
        longDecimal("3.", kLong, "e-77"), "0." + std::string(112, '9') + "123", "1." + std::string(300, '0') + "77"};
    for (int32_t box : {1, 32, 50, 500, 2000})
        for (const std::string& x : arguments)
            expectUnaryMatchesMpfr(myLn, kLn, x, box);
}

TEST_F(Logarithm, LogAgreesWithMpfr)
{
    const std::vector<std::string> arguments = {"2",        "7",         "0.001",           "1e-9000",
                                                "3.7e5000", "1.0001",    nearOneBelow(300), "1e-10000"};
    for (int32_t box : {1, 32, 50, 500, 2000})
        for (const std::string& x : arguments)
            expectUnaryMatchesMpfr(myLog, kLog, x, box);
}

TEST_F(Logarithm, TenThousandDigits)
{
    // 1 - 10^-6000 needs ln 10 to 16,000 digits, beyond its table: ln x is
    // then taken as -ln(1/x).
    for (const std::string& x : {std::string("2"), std::string("1e-9000"), nearOneBelow(6000)})
        expectUnaryMatchesMpfr(myLn, kLn, x, 10000);
    expectUnaryMatchesMpfr(myLog, kLog, "7", 10000);
}

TEST_F(Logarithm, RaisedPrecisionBeyondTheTable)
{
    // A caller that has raised the precision near the table's end: ln 10
    // would be needed to 11,050 digits. Between 0.1 and 1 the reciprocal
    // needs none; above 1 the table bound is reported, never overrun.
    const int32_t p = 10950;
    {
        resetCoreForTest(p);
        RecordingPort port;
        const BigNum r = myLn(bigFromDecimal("0.5"));
        EXPECT_EQ(errorFlag, 0);
        EXPECT_TRUE(port.messages.empty());
        EXPECT_EQ(workPrecision, p);
        Mpfr x("0.5", bitsForDigits(p + 60)), ref(bitsForDigits(p + 60));
        mpfr_log(ref, x, MPFR_RNDN);
        EXPECT_TRUE(agreesWithMpfr(r, ref));
    }
    {
        resetCoreForTest(p);
        RecordingPort port;
        EXPECT_TRUE(myLn(bigFromDecimal("20")).isEmpty());
        EXPECT_EQ(errorFlag, -1);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].first, "常数ln10的数字表只有11000位，不够本次计算所需的11050位");
        EXPECT_EQ(workPrecision, p);
    }
    {
        // A table file that supplied fewer digits than the precision needs.
        const int32_t available = tableDigitsAvailable(DigitTableId::Ln10);
        setTableDigitsAvailable(DigitTableId::Ln10, 100);
        resetCoreForTest(40);
        RecordingPort port;
        const BigNum r = myLn(bigFromDecimal("20"));
        const BigNum nearOne = myLn(bigFromDecimal("1.5"));
        setTableDigitsAvailable(DigitTableId::Ln10, available);
        EXPECT_TRUE(r.isEmpty());
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_NE(port.messages[0].first.find("万位常数.wwcs"), std::string::npos) << port.messages[0].first;
        EXPECT_TRUE(nearOne.isEmpty()); // nothing more once the flag is set
    }
}

TEST_F(Logarithm, ExactPoints)
{
    for (int32_t box : {1, 32, 2000}) {
        const int32_t p = workPrecisionForBox(box);
        SCOPED_TRACE(box);
        resetCoreForTest(p);
        EXPECT_EQ(canonicalOf(myLn(bigFromDecimal("1"))), "0");
        EXPECT_EQ(canonicalOf(myLog(bigFromDecimal("1"))), "0");
        // ln 10 is the table's, cut to the kept digits; 10^k has the
        // mantissa 1 and comes out as k ln 10 alone.
        Mpfr ten("10", bitsForDigits(p + 140)), ln10(bitsForDigits(p + 140)), k(bitsForDigits(p + 140));
        mpfr_log(ln10, ten, MPFR_RNDN);
        EXPECT_EQ(canonicalOf(myLn(bigFromDecimal("10"))), canonicalTruncated(ln10, p + kGuardDigits));
        mpfr_mul_si(k, ln10, -3, MPFR_RNDN);
        EXPECT_EQ(canonicalOf(myLn(bigFromDecimal("0.001"))), canonicalTruncated(k, p + kGuardDigits));
        EXPECT_EQ(myNumToStr(myLog(bigFromDecimal("100"))), "2.0");
        EXPECT_EQ(myNumToStr(myLog(bigFromDecimal("0.001"))), "-3.0");
        EXPECT_EQ(errorFlag, 0);
    }
}

TEST_F(Logarithm, InvalidArguments)
{
    struct Case {
        BigNum (*routine)(const BigNum&);
        std::string x;
        std::string message;
    };
    const Case cases[] = {{myLn, "0", "ln函数的输入值无效"},
                          {myLn, "-3", "ln函数的输入值无效"},
                          {myLn, "-1e-9000", "ln函数的输入值无效"},
                          {myLog, "0", "myLog函数的输入值无效"},
                          {myLog, "-3", "myLog函数的输入值无效"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + " " + c.x);
        resetCoreForTest();
        RecordingPort port;
        EXPECT_TRUE(refusedWith(c.routine(bigFromDecimal(c.x)), port, c.message));
        errorFlag = 0;
    }
    resetCoreForTest();
    errorFlag = -1;
    RecordingPort port;
    EXPECT_TRUE(myLn(bigFromDecimal("2")).isEmpty());
    EXPECT_TRUE(myLog(bigFromDecimal("2")).isEmpty());
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(Logarithm, TimingInTheCaption)
{
    const std::string prefix = "Velder高精度表达式计算器 ";
    const std::string suffix = " 秒";
    struct Case {
        BigNum (*routine)(const BigNum&);
        std::string x;
        size_t captions;
        size_t messages;
    };
    // Only a computed logarithm reports; ln 1 and an invalid argument hand
    // the switch back without a report. log reports through its ln.
    const Case cases[] = {{myLn, "2", 1, 0}, {myLn, "1e-9000", 1, 0}, {myLn, "1", 0, 0},
                          {myLn, "0", 0, 1}, {myLog, "2", 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        resetCoreForTest();
        subFunctionTest = kTrue;
        RecordingPort port;
        c.routine(bigFromDecimal(c.x));
        EXPECT_EQ(subFunctionTest, kTrue);
        EXPECT_EQ(port.messages.size(), c.messages);
        ASSERT_EQ(port.captions.size(), c.captions);
        if (c.captions == 1) {
            const std::string& caption = port.captions[0];
            EXPECT_EQ(caption.rfind(prefix, 0), 0u) << caption;
            ASSERT_GT(caption.size(), prefix.size() + suffix.size());
            EXPECT_EQ(caption.substr(caption.size() - suffix.size()), suffix);
            EXPECT_NO_THROW(std::stod(caption.substr(prefix.size())));
        }
    }
    // With the switch off nothing is reported.
    resetCoreForTest();
    RecordingPort port;
    myLn(bigFromDecimal("2"));
    EXPECT_TRUE(port.captions.empty());
}

TEST_F(Logarithm, SeriesDivisionGivesExactQuotients)
{
    // B!/k for every k of the series, and double factorials over their odd
    // factors, against GMP; a negative dividend keeps its sign.
    resetCoreForTest(400);
    mpz_t n, q;
    mpz_inits(n, q, nullptr);
    struct Case {
        unsigned long n;
        bool doubleFactorial;
    };
    for (const Case c : {Case{16, false}, Case{144, false}, Case{181, true}}) {
        if (c.doubleFactorial)
            mpz_2fac_ui(n, c.n);
        else
            mpz_fac_ui(n, c.n);
        char* text = mpz_get_str(nullptr, 10, n);
        const BigNum dividend = bigFromDecimal(text);
        BigNum negative = dividend;
        negative.positive = kFalse;
        free(text);
        for (unsigned long k = c.n; k >= 1; k -= c.doubleFactorial ? 2 : 1) {
            SCOPED_TRACE(std::to_string(c.n) + (c.doubleFactorial ? "!!/" : "!/") + std::to_string(k));
            mpz_divexact_ui(q, n, k);
            char* qt = mpz_get_str(nullptr, 10, q);
            const std::string want = canonicalOfDecimal(qt, 1000);
            free(qt);
            EXPECT_EQ(canonicalOf(mySeriesDiv(dividend, bigFromInteger(static_cast<int64_t>(k)))), want);
            EXPECT_EQ(canonicalOf(mySeriesDiv(negative, bigFromInteger(static_cast<int64_t>(k)))), "-" + want);
            if (k <= 2)
                break;
        }
    }
    mpz_clears(n, q, nullptr);
    EXPECT_EQ(errorFlag, 0);
}

// Divisors of one to nine digits (nine takes the general long division) over
// dividends with runs of 9s and 0s where they are cut, and dividends just
// below and at 1/3 of a power of ten over 3.1 (whether 3 times the dividend
// reaches a new limb moves the cut): the quotient's digits are those of the
// truncated quotient, and the record is digit for digit the one the
// base-10000 long division gives, cut at the same place.
TEST_F(Logarithm, SeriesDivisionMatchesLongDivisionAndGmp)
{
    std::mt19937_64 rng(77);
    struct Case {
        int32_t precision;
        std::string a, k;
    };
    std::vector<Case> cases;
    for (const size_t threes : {3, 17, 18, 19, 40, 300})
        for (const char* tail : {"", "4", "2", "3"})
            cases.push_back({60, "3." + std::string(threes, '3') + tail, "3.1"});
    for (int round = 0; round < 240; ++round) {
        const int32_t precision = 1 + static_cast<int32_t>(rng() % (round % 4 == 0 ? 40 : 2000));
        const int32_t keep = precision + kGuardDigits;
        const int32_t length = 1 + static_cast<int32_t>(rng() % (round % 3 == 0 ? 12 : 2 * keep));
        cases.push_back({precision, randomDecimalWithRunAt(rng, length, 30, keep - static_cast<int32_t>(rng() % 8)),
                         randomDecimalWithRunAt(rng, 1 + round % 9, 6, 1 + static_cast<int32_t>(rng() % 8))});
    }
    for (const Case& c : cases) {
        workPrecision = c.precision;
        const int32_t keep = workPrecision + kGuardDigits;
        const BigNum x = bigFromDecimal(c.a);
        const BigNum y = bigFromDecimal(c.k);
        const BigNum q = mySeriesDiv(x, y);
        ASSERT_EQ(errorFlag, 0);
        SCOPED_TRACE(c.a.substr(0, 30) + " / " + c.k + " wp=" + std::to_string(workPrecision));
        // Every digit it has is a digit of the truncated quotient of the
        // operands cut to the kept digits.
        const std::string got = canonicalOf(q);
        const auto digits = std::count_if(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(got.find('e')),
                                          [](char ch) { return ch >= '0' && ch <= '9'; });
        EXPECT_EQ(got, ExactDecimal::quotientTruncated(ExactDecimal(c.a).cut(keep), ExactDecimal(c.k).cut(keep),
                                                       static_cast<int32_t>(digits)));
        BigNum xh, yh;
        DigitSpan sa = digitSpanOf(x, xh);
        DigitSpan sk = digitSpanOf(y, yh);
        sa.count = std::min(sa.count, keep);
        sk.count = std::min(sk.count, keep);
        const int32_t limbs = std::max((sa.count + 3) / 4 + 9 - (sk.count + 3) / 4, 1);
        const BigNum viaLongDivision =
            qslqwl(longDivide(sa, sk, limbs, x.isPositive() == y.isPositive(), 4 * limbs));
        EXPECT_EQ(got, canonicalOf(viaLongDivision));
    }
}

} // namespace
