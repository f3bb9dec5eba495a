// e^x against MPFR over the whole argument range and both halves of the
// method (integer power of e, series of the fraction), its exact points, its
// limit and the table it reads.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "funcs/exponential.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"

namespace {

class Exponential : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

const MpfrUnary kExp = [](mpfr_ptr out, mpfr_srcptr x) { mpfr_exp(out, x, MPFR_RNDN); };

TEST_F(Exponential, AgreesWithMpfr)
{
    std::vector<std::string> arguments = {
        "0.5",     "1.5",          "-2.5",       "1e-30",     "-1e-30",         "1e-5000", "0.999999",
        "-0.0001", "23000",        "-23000",     "23000.123", "-23000.987654321", "12.3456789e2",
        "3.7e-9",  "9999999.5",    "-9999999.25", "0.1",       "-0.7", "1e-1999999999", "-1e-1999999999",
        "-2.5e-170"};
    // A few more below 100 in magnitude with up to 40 fraction digits.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 4; ++i) {
        std::string x = (rng() % 2 ? "-" : "") + std::to_string(rng() % 100) + ".";
        for (uint64_t d = rng() % 40; d > 0; --d)
            x += static_cast<char>('0' + rng() % 10);
        arguments.push_back(x + "1");
    }
    for (int32_t box : {1, 32, 50, 500, 2000})
        for (const std::string& x : arguments)
            expectUnaryMatchesMpfr(myExp, kExp, x, box);
}

TEST_F(Exponential, TenThousandDigits)
{
    for (const std::string x : {"1.5", "-23000.5", "1e-20"})
        expectUnaryMatchesMpfr(myExp, kExp, x, 10000);
}

TEST_F(Exponential, ExactPoints)
{
    for (int32_t box : {1, 32, 2000}) {
        const int32_t p = workPrecisionForBox(box);
        resetCoreForTest(p);
        EXPECT_EQ(canonicalOf(myExp(bigFromDecimal("0"))), "1e0");
        // e^1 is the table's e, cut to the kept digits.
        Mpfr one("1", bitsForDigits(p + 40)), e(bitsForDigits(p + 40));
        mpfr_exp(e, one, MPFR_RNDN);
        EXPECT_EQ(canonicalOf(myExp(bigFromDecimal("1"))), canonicalTruncated(e, p + kGuardDigits));
        EXPECT_EQ(errorFlag, 0);
    }
}

TEST_F(Exponential, PowerLimit)
{
    const std::string limit = "抱歉，目前只支持9999999以内的乘方";
    for (const std::string x : {"10000000", "-10000000", "10000000.5", "1e2000000000", "-1e2000000000"}) {
        SCOPED_TRACE(x);
        resetCoreForTest();
        RecordingPort port;
        EXPECT_TRUE(refusedWith(myExp(bigFromDecimal(x)), port, limit));
        EXPECT_EQ(workPrecision, 40);
    }
}

TEST_F(Exponential, TableOfEIsReadOnlyForAnIntegerPart)
{
    // A raised precision beyond the table's 11,000 digits of e stops with a
    // message; a pure fraction needs no e and still works there.
    {
        resetCoreForTest(kTableDigits);
        RecordingPort port;
        EXPECT_TRUE(myExp(bigFromDecimal("1.5")).isEmpty());
        EXPECT_EQ(errorFlag, -1);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_NE(port.messages[0].first.find("11000"), std::string::npos) << port.messages[0].first;
        EXPECT_EQ(workPrecision, kTableDigits);
    }
    {
        const int32_t available = tableDigitsAvailable(DigitTableId::E);
        setTableDigitsAvailable(DigitTableId::E, 100);
        resetCoreForTest(40);
        RecordingPort port;
        EXPECT_TRUE(myExp(bigFromDecimal("2")).isEmpty());
        EXPECT_EQ(port.messages.size(), 1u);
        resetCoreForTest(40);
        const BigNum half = myExp(bigFromDecimal("0.5"));
        setTableDigitsAvailable(DigitTableId::E, available);
        EXPECT_EQ(errorFlag, 0);
        Mpfr x("0.5", 400), ref(400);
        mpfr_exp(ref, x, MPFR_RNDN);
        EXPECT_TRUE(agreesWithMpfr(half, ref));
    }
}

TEST_F(Exponential, ReturnsAtOnceAfterAnError)
{
    errorFlag = -1;
    RecordingPort port;
    EXPECT_TRUE(myExp(bigFromDecimal("1.5")).isEmpty());
    EXPECT_TRUE(port.messages.empty());
}

} // namespace
