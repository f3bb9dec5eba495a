// atan, asin, acos and acot against MPFR over their domains (tiny, huge,
// next to ±1 and to the stored arctangents' arguments), their exact answers,
// the range message, the bound of the arctangent table and the series' time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "funcs/constants.h"
#include "tests/support/display_match.h"
#include "funcs/division.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "funcs/inverse_trig.h"
#include "tests/support/reference.h"

namespace {

class InverseTrig : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

enum class Fn { Atan, Asin, Acos, Acot };

const char* nameOf(Fn f)
{
    switch (f) {
    case Fn::Atan: return "atan";
    case Fn::Asin: return "asin";
    case Fn::Acos: return "acos";
    default: return "acot";
    }
}

BigNum run(Fn f, const BigNum& x)
{
    switch (f) {
    case Fn::Atan: return myAtan(x);
    case Fn::Asin: return myAsin(x);
    case Fn::Acos: return myAcos(x);
    default: return myAcot(x);
    }
}

void reference(Fn f, mpfr_ptr r, mpfr_srcptr x, mpfr_prec_t bits)
{
    switch (f) {
    case Fn::Atan: mpfr_atan(r, x, MPFR_RNDN); break;
    case Fn::Asin: mpfr_asin(r, x, MPFR_RNDN); break;
    case Fn::Acos: mpfr_acos(r, x, MPFR_RNDN); break;
    case Fn::Acot: {
        // acot x = π/2 - atan x, in (0, π).
        Mpfr half(bits);
        mpfr_const_pi(half, MPFR_RNDN);
        mpfr_div_2ui(half, half, 1, MPFR_RNDN);
        mpfr_atan(r, x, MPFR_RNDN);
        mpfr_sub(r, half, r, MPFR_RNDN);
        break;
    }
    }
}

void expectMatchesMpfr(Fn f, const std::string& x, int32_t box)
{
    const int32_t p = workPrecisionForBox(box);
    const int32_t shown = p - kHiddenDigits;
    SCOPED_TRACE(std::string(nameOf(f)) + "(" + x + ") at box " + std::to_string(box));
    resetCoreForTest(p);
    const BigNum r = run(f, bigFromDecimal(x));
    ASSERT_EQ(errorFlag, 0);
    const mpfr_prec_t bits = bitsForDigits(2 * p + 100);
    Mpfr a(x, bits), want(bits);
    reference(f, want, a, bits);
    EXPECT_TRUE(displaysWithinOneUnit(myNumToStr(r), referenceDisplay(want, shown), shown));
}

// 1 - 10^-k written out: k nines after the point.
TEST_F(InverseTrig, ArctangentAgreesWithMpfr)
{
    const std::vector<std::string> args = {
        "1",         "-1",         "0.5",    "1e-30", "-1e-30", "1e30", "-1e30", "1e6",      "0.00005",
        "0.0001",    "0.00010001", "0.1",    "0.1000000001", "0.0999", "0.01", "3", "-12345.678", "2.5e-300",
        "7.7e250"};
    for (int32_t box : {1, 32, 50, 500})
        for (const std::string& x : args) {
            expectMatchesMpfr(Fn::Atan, x, box);
            expectMatchesMpfr(Fn::Acot, x, box);
        }
    for (const char* x : {"0.5", "-1e30", "1e-30", "0.1000000001"}) {
        expectMatchesMpfr(Fn::Atan, x, 2000);
        expectMatchesMpfr(Fn::Acot, x, 2000);
    }
}

TEST_F(InverseTrig, ArcsineAndArccosineAgreeWithMpfr)
{
    const std::vector<std::string> args = {
        "0.5", "-0.5", "1e-30", "-2.5e-200", "0.1", "0.70710678", "-0.3", "0.99", "-0.999999",
        // next to ±1: 1 - x² cancels as many digits as x has nines
        nines(12), "-" + nines(20), nines(40), "-" + nines(45), "0.9999999999999999999999999999999999999999999999987"};
    for (int32_t box : {1, 32, 50, 500})
        for (const std::string& x : args) {
            expectMatchesMpfr(Fn::Asin, x, box);
            expectMatchesMpfr(Fn::Acos, x, box);
        }
    expectMatchesMpfr(Fn::Acos, nines(400), 500);
    expectMatchesMpfr(Fn::Asin, "-" + nines(400), 500);
    for (const std::string& x : {std::string("0.5"), std::string("-0.5"), nines(1500)}) {
        expectMatchesMpfr(Fn::Asin, x, 2000);
        expectMatchesMpfr(Fn::Acos, x, 2000);
    }
}

TEST_F(InverseTrig, AgreeWithMpfrAtTenThousandDigits)
{
    expectMatchesMpfr(Fn::Atan, "0.5", 10000);
    expectMatchesMpfr(Fn::Asin, "0.5", 10000);
    expectMatchesMpfr(Fn::Acos, "-" + nines(30), 10000);
    expectMatchesMpfr(Fn::Acot, "-1e30", 10000);
}

// The exact answers: π/2 from p digits of π for asin ±1, π from p + 4 digits
// for acos(-1), and the arguments that need no arithmetic at all.
TEST_F(InverseTrig, GiveTheirExactAnswers)
{
    for (int32_t p : {10, 40, 509}) {
        SCOPED_TRACE("p " + std::to_string(p));
        resetCoreForTest(p);
        const BigNum one = bigFromDecimal("1");
        const BigNum minusOne = bigFromDecimal("-1");
        const BigNum zero = bigFromDecimal("0");
        const BigNum halfPi = myDiv(tableConstant(DigitTableId::Pi, p), bigTwo);
        EXPECT_EQ(canonicalOf(myAsin(one)), canonicalOf(halfPi));
        BigNum minusHalfPi = halfPi;
        minusHalfPi.positive = kFalse;
        EXPECT_EQ(canonicalOf(myAsin(minusOne)), canonicalOf(minusHalfPi));
        EXPECT_EQ(canonicalOf(myAsin(zero)), "0");
        EXPECT_EQ(canonicalOf(myAtan(zero)), "0");
        EXPECT_EQ(canonicalOf(myAcos(one)), "0");
        EXPECT_EQ(canonicalOf(myAcos(minusOne)), canonicalOf(tableConstant(DigitTableId::Pi, p + 4)));
        EXPECT_EQ(errorFlag, 0);
    }
}

TEST_F(InverseTrig, RefuseArgumentsOutsideTheRange)
{
    for (Fn f : {Fn::Asin, Fn::Acos})
        for (const char* x : {"1.5", "-2", "1.0000000000000000000000000001", "1e300"}) {
            SCOPED_TRACE(std::string(nameOf(f)) + "(" + x + ")");
            resetCoreForTest(40);
            RecordingPort port;
            EXPECT_TRUE(refusedWith(run(f, bigFromDecimal(x)), port, "对不起，你给的数值超出了正常值范围"));
            EXPECT_EQ(workPrecision, 40);
        }
}

// Called at a precision raised past what the table holds (as a routine that
// raised it might), the arctangent stops with a message instead of reading
// past the 11,000 digits of its constants.
TEST_F(InverseTrig, ArctangentStopsAtTheEndOfItsTable)
{
    for (Fn f : {Fn::Atan, Fn::Asin, Fn::Acos, Fn::Acot}) {
        SCOPED_TRACE(nameOf(f));
        resetCoreForTest(10880);
        RecordingPort port;
        EXPECT_TRUE(run(f, bigFromDecimal("0.5")).isEmpty());
        EXPECT_EQ(errorFlag, -1);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].first.rfind("反正切表的每个常数只有11000位，不够本次计算所需的", 0), 0u)
            << port.messages[0].first;
    }
}

TEST_F(InverseTrig, ReportTheSeriesTimeInAMessage)
{
    struct Case {
        Fn f;
        const char* x;
        size_t reports;
    };
    const std::vector<Case> cases = {{Fn::Atan, "0.5", 1}, {Fn::Asin, "0.5", 1}, {Fn::Acos, "0.5", 1},
                                     {Fn::Acot, "2", 1},   {Fn::Asin, "1", 0},   {Fn::Acos, "-1", 0},
                                     {Fn::Acot, "0", 0},   {Fn::Atan, "0", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(nameOf(c.f)) + "(" + c.x + ")");
        resetCoreForTest(40);
        subFunctionTest = kTrue;
        RecordingPort port;
        run(c.f, bigFromDecimal(c.x));
        EXPECT_EQ(subFunctionTest, kTrue);
        EXPECT_TRUE(port.captions.empty());
        ASSERT_EQ(port.messages.size(), c.reports);
        if (c.reports == 1) {
            const std::string& text = port.messages[0].first;
            EXPECT_EQ(text.substr(text.size() - 4), " 秒") << text;
            EXPECT_EQ(port.messages[0].second, MessageStyle::Plain);
        }
    }
}

} // namespace
