// Integer and non-integer powers against MPFR, the trivial cases, the limits
// of the exponent, the errors and the timing report.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "funcs/power.h"
#include "tests/support/reference.h"
#include "funcs/square_root.h"

namespace {

class Power : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

struct PowerCase {
    std::string base;
    std::string exponent;
};

// "1/3" stands for 0.333... with as many digits as the precision keeps, the
// same decimal for the routine and for MPFR.
std::string exponentText(const std::string& e, int32_t p)
{
    if (e == "1/3")
        return "0." + std::string(static_cast<size_t>(p + kGuardDigits), '3');
    return e;
}

// Runs base^exponent at the working precision of the box and compares the
// display with MPFR's power, computed 40 digits further.
void expectPowerMatchesMpfr(const PowerCase& c, int32_t box)
{
    const int32_t p = workPrecisionForBox(box);
    const std::string y = exponentText(c.exponent, p);
    SCOPED_TRACE("box " + std::to_string(box) + ": (" + c.base + ")^(" + c.exponent + ")");
    resetCoreForTest(p);
    const BigNum r = myPower(bigFromDecimal(c.base), bigFromDecimal(y));
    ASSERT_EQ(errorFlag, 0);
    const mpfr_prec_t bits = bitsForDigits(p + 40);
    Mpfr x(c.base, bits), e(y, bits), reference(bits);
    mpfr_pow(reference, x, e, MPFR_RNDN);
    EXPECT_TRUE(agreesWithMpfr(r, reference));
}

TEST_F(Power, IntegerPowersAgreeWithMpfr)
{
    std::vector<PowerCase> cases = {
        {"2", "10"},       {"2", "-1"},           {"-2", "3"},         {"-1", "3"},       {"-1", "2"},
        {"3", "1000000"},  {"7", "-13"},          {"1.0001", "9999999"}, {"2", "9999999"}, {"0.5", "12345"},
        {"-1.5", "-77"},   {"123.456e-300", "4321"}, {"9.99e9000", "2"}, {"1e-9000", "-3"}, {"2", "1e3"},
        {"-3", "4.0"},     {"0.999999", "65536"}};
    std::mt19937_64 rng(99);
    for (int i = 0; i < 6; ++i)
        cases.push_back({randomDecimal(rng, 1 + static_cast<int32_t>(rng() % 60), 50),
                         std::to_string(static_cast<long>(rng() % 20000) - 10000)});
    for (int32_t box : {1, 32, 50, 500, 2000})
        for (const PowerCase& c : cases)
            expectPowerMatchesMpfr(c, box);
}

TEST_F(Power, NonIntegerPowersAgreeWithMpfr)
{
    const std::vector<std::string> bases = {"1e-9000", "3.7e-9000", "0.01", "0.5", "2", "7.25", "100",
                                            "123.456", "9.99e8999", "1e9000"};
    const std::vector<std::string> exponents = {"0.5", "1/3", "-2.5", "0.3", "1.5", "-0.75"};
    for (int32_t box : {1, 32, 50, 500})
        for (const std::string& b : bases)
            for (const std::string& e : exponents)
                expectPowerMatchesMpfr({b, e}, box);
    for (const PowerCase& c : std::vector<PowerCase>{{"2", "0.5"}, {"3.7e-9000", "1/3"}, {"1e9000", "-2.5"},
                                                     {"123.456", "0.3"}, {"1.5", "12345678.5"}, {"2", "1e-30"}})
        expectPowerMatchesMpfr(c, 2000);
}

TEST_F(Power, TenThousandDigits)
{
    for (const PowerCase& c : std::vector<PowerCase>{{"2", "0.5"}, {"7.25e-3000", "-2.5"}, {"3", "1000000"}})
        expectPowerMatchesMpfr(c, 10000);
}

// The run never sets a working precision below 1; the series and the roots
// must still produce their leading digits there.
TEST_F(Power, LowestWorkingPrecisions)
{
    const std::vector<PowerCase> cases = {{"2", "0.5"}, {"0.5", "-2.5"}, {"123.456", "0.3"}, {"7", "3"}};
    for (int32_t p : {1, 2, 3, 9}) {
        for (const PowerCase& c : cases) {
            SCOPED_TRACE("precision " + std::to_string(p) + ": (" + c.base + ")^(" + c.exponent + ")");
            resetCoreForTest(p);
            const BigNum r = myPower(bigFromDecimal(c.base), bigFromDecimal(c.exponent));
            ASSERT_EQ(errorFlag, 0);
            Mpfr x(c.base, 200), e(c.exponent, 200), reference(200);
            mpfr_pow(reference, x, e, MPFR_RNDN);
            EXPECT_TRUE(displaysWithinOneUnit(myNumToStr(r), referenceDisplay(reference, 1), 1));
        }
    }
}

TEST_F(Power, HalfPowerIsTheSquareRoot)
{
    for (int32_t box : {32, 500}) {
        resetCoreForTest(workPrecisionForBox(box));
        const std::string viaPower = myNumToStr(myPower(bigTwo, bigFromDecimal("0.5")));
        const std::string viaRoot = myNumToStr(mySqrt(bigTwo));
        EXPECT_TRUE(displaysWithinOneUnit(viaPower, viaRoot, workPrecision - kHiddenDigits));
    }
}

TEST_F(Power, TrivialCases)
{
    struct Case {
        std::string base;
        std::string exponent;
        std::string want; // canonical
    };
    const Case cases[] = {
        {"0", "5", "0"},       {"0", "0", "1e0"},     {"0", "2.5", "0"},    {"1", "2.5", "1e0"},
        {"1", "-9999999999", "1e0"}, {"-3", "0", "1e0"}, {"1e9000", "0", "1e0"}, {"2", "10", "1.024e3"},
        {"2", "-1", "5e-1"},   {"-2", "3", "-8e0"},   {"-1", "3", "-1e0"},  {"-1", "2", "1e0"},
        {"100", "0.5", "1e1"}, {"0.01", "0.5", "1e-1"}, {"0.25", "-0.5", "2e0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("(" + c.base + ")^(" + c.exponent + ")");
        resetCoreForTest();
        const BigNum r = myPower(bigFromDecimal(c.base), bigFromDecimal(c.exponent));
        ASSERT_EQ(errorFlag, 0);
        if (c.want == "0")
            EXPECT_TRUE(isZero(r));
        else
            EXPECT_EQ(myNumToStr(r), scientificDisplayOf(c.want));
    }
    // x^1 is x as it came, with every digit.
    resetCoreForTest(workPrecisionForBox(1));
    const BigNum x = bigFromDecimal("3.14159265358979323846264338327950288419716939937510");
    EXPECT_EQ(canonicalOf(myPower(x, bigFromDecimal("1"))), canonicalOf(x));
}

TEST_F(Power, RefusedPowers)
{
    struct Case {
        std::string base;
        std::string exponent;
        std::string message;
        MessageStyle style;
    };
    const std::string limit = "抱歉，目前只支持9999999以内的乘方";
    const std::string overflow = "计算结果的数量级超出了可表示的范围";
    const Case cases[] = {
        {"0", "-2", "除法子程序中除数为零", MessageStyle::Warning},
        {"0", "-0.5", "除法子程序中除数为零", MessageStyle::Warning},
        {"0", "-1e2000000000", "除法子程序中除数为零", MessageStyle::Warning},
        {"2", "10000000", limit, MessageStyle::Plain},
        {"2", "-10000000", limit, MessageStyle::Plain},
        {"2", "4294967297", limit, MessageStyle::Plain},
        {"2", "1e2000000000", limit, MessageStyle::Plain},
        {"2", "-123456789012345678901234567890", limit, MessageStyle::Plain},
        {"-8", "0.5", "被开方数不能为负数", MessageStyle::Plain},
        {"-2", "-1.5", "被开方数不能为负数", MessageStyle::Plain},
        {"9e1999999999", "1.5", overflow, MessageStyle::Plain},
        {"1e-1000000", "-9999999", overflow, MessageStyle::Plain},
        {"1e1000000", "9999", overflow, MessageStyle::Plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("(" + c.base + ")^(" + c.exponent + ")");
        resetCoreForTest();
        const int32_t precision = workPrecision;
        RecordingPort port;
        EXPECT_TRUE(myPower(bigFromDecimal(c.base), bigFromDecimal(c.exponent)).isEmpty());
        EXPECT_EQ(errorFlag, -1);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].first, c.message);
        EXPECT_EQ(port.messages[0].second, c.style);
        EXPECT_EQ(workPrecision, precision);
    }
}

size_t secondsReports(const RecordingPort& port)
{
    const std::string suffix = " 秒";
    size_t count = 0;
    for (const auto& [text, style] : port.messages)
        if (style == MessageStyle::Plain && text.size() > suffix.size() &&
            text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
            ++count;
    return count;
}

// One report per series that owns the timing: one for a mantissa-only base,
// two when the power of ten needs its own series; none for integer powers.
TEST_F(Power, TimingReportsPerSeries)
{
    struct Case {
        std::string base;
        std::string exponent;
        size_t reports;
    };
    const Case cases[] = {{"2", "0.5", 1}, {"100", "0.5", 2}, {"2", "3", 0}, {"-8", "0.5", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("(" + c.base + ")^(" + c.exponent + ")");
        resetCoreForTest();
        RecordingPort port;
        subFunctionTest = kTrue;
        myPower(bigFromDecimal(c.base), bigFromDecimal(c.exponent));
        EXPECT_EQ(secondsReports(port), c.reports);
        EXPECT_EQ(subFunctionTest, kTrue);
    }
}

} // namespace
