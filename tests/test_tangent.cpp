// Tangent and cotangent against MPFR (next to their poles and zeros, large
// angles), the screened points and their messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "funcs/constants.h"
#include "tests/support/display_match.h"
#include "tests/support/function_match.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"
#include "funcs/tangent.h"

namespace {

class Tangent : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

enum class Trig { Tan, Cot };

BigNum run(Trig f, const BigNum& x) { return f == Trig::Tan ? myTan(x) : myCot(x); }

void expectMatchesMpfr(Trig f, const std::string& x, int32_t box)
{
    const int32_t p = workPrecisionForBox(box);
    SCOPED_TRACE(std::string(f == Trig::Tan ? "tan(" : "cot(") + x + ") at box " + std::to_string(box));
    resetCoreForTest(p);
    const BigNum r = run(f, bigFromDecimal(x));
    ASSERT_EQ(errorFlag, 0);
    // Bits for the digits, the integer digits of the largest angle and the
    // digits a pole or zero cancels.
    const mpfr_prec_t bits = bitsForDigits(p + 400);
    Mpfr a(x, bits), reference(bits);
    if (f == Trig::Tan)
        mpfr_tan(reference, a, MPFR_RNDN);
    else
        mpfr_cot(reference, a, MPFR_RNDN);
    EXPECT_TRUE(agreesWithMpfr(r, reference));
}

TEST_F(Tangent, AgreesWithMpfrNextToPolesAndZerosAndFarOut)
{
    const std::vector<std::string> angles = {
        "1", "-1", "0.5", "1e-30", "-2.5e-200", "1.4", "-2.5", "3",
        // either side of π/2 (1.5707963 itself is the pole at eight digits),
        // and short angles that match π/2 as far as their few digits go
        "1.5707962", "1.5707964", "1.5", "1.57", "-1.571", "1.570796",
        // next to multiples of π
        "3.14159", "355", "-103993",
        // far out
        "1e6", "-7.5e50", "1e100"};
    for (int32_t box : {1, 32, 50, 500})
        for (const std::string& x : angles) {
            expectMatchesMpfr(Trig::Tan, x, box);
            expectMatchesMpfr(Trig::Cot, x, box);
        }
    // Closer to a pole than 14 digits: at box 1 (p + 4 = 14) the argument is
    // the pole itself, see AnswersTheScreenedPoints.
    for (int32_t box : {32, 50, 500})
        for (const char* x : {"-1.57079632679489661923132169163975145", "4.71238898038469"}) {
            expectMatchesMpfr(Trig::Tan, x, box);
            expectMatchesMpfr(Trig::Cot, x, box);
        }
    for (const char* x : {"1", "1.5707964", "355", "1e100"}) {
        expectMatchesMpfr(Trig::Tan, x, 2000);
        expectMatchesMpfr(Trig::Cot, x, 2000);
    }
    expectMatchesMpfr(Trig::Tan, "1", 10000);
    expectMatchesMpfr(Trig::Cot, "-0.5", 10000);
}

// Multiples of π/2 built from the keyword π (p + 4 digits) and from the
// argument's own digits.
TEST_F(Tangent, AnswersTheScreenedPoints)
{
    struct Case {
        Trig f;
        const char* name;
        int halfTurns; // x = halfTurns·π/2 from the keyword π; 0: `text`
        const char* text;
        const char* result; // canonical value, or nullptr for the message
        const char* message;
    };
    const std::vector<Case> cases = {
        {Trig::Tan, "tan 0", 0, "0", "0", nullptr},
        {Trig::Tan, "tan π", 2, nullptr, "0", nullptr},
        {Trig::Tan, "tan(-π)", -2, nullptr, "0", nullptr},
        {Trig::Tan, "tan 2π", 4, nullptr, "0", nullptr},
        {Trig::Tan, "tan(π/2)", 1, nullptr, nullptr, "tan函数的输入值无效"},
        {Trig::Tan, "tan(-π/2)", -1, nullptr, nullptr, "tan函数的输入值无效"},
        {Trig::Tan, "tan 1.5707963", 0, "1.5707963", nullptr, "tan函数的输入值无效"},
        {Trig::Tan, "tan(-1.5707963)", 0, "-1.5707963", nullptr, "tan函数的输入值无效"},
        // π/2 to 36 digits: the pole is compared at the argument's own digits.
        {Trig::Tan, "tan(π/2 to 36 digits)", 0, "1.57079632679489661923132169163975144", nullptr,
         "tan函数的输入值无效"},
        {Trig::Cot, "cot 0", 0, "0", nullptr, "cot函数的输入值无效"},
        {Trig::Cot, "cot π", 2, nullptr, nullptr, "cot函数的输入值无效"},
        {Trig::Cot, "cot(-π)", -2, nullptr, nullptr, "cot函数的输入值无效"},
        {Trig::Cot, "cot(π/2)", 1, nullptr, "0", nullptr},
        {Trig::Cot, "cot(3π/2)", 3, nullptr, "0", nullptr},
    };
    for (int32_t p : {10, 40, 509}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at p " + std::to_string(p));
            resetCoreForTest(p);
            BigNum x;
            if (c.text != nullptr)
                x = bigFromDecimal(c.text);
            else {
                x = myDiv(myMul(myPi(), makeFromDigits({std::abs(c.halfTurns), 0}, 1, 0, true)), bigTwo);
                x.positive = c.halfTurns < 0 ? kFalse : kTrue;
            }
            RecordingPort port;
            const BigNum r = run(c.f, x);
            if (c.message == nullptr) {
                EXPECT_EQ(errorFlag, 0);
                EXPECT_TRUE(port.messages.empty());
                EXPECT_EQ(canonicalOf(r), c.result);
            } else {
                EXPECT_EQ(errorFlag, -1);
                EXPECT_TRUE(r.isEmpty());
                ASSERT_EQ(port.messages.size(), 1u);
                EXPECT_EQ(port.messages[0].first, c.message);
                EXPECT_EQ(port.messages[0].second, MessageStyle::Plain);
            }
        }
    }
}

TEST_F(Tangent, RefusesAnglesThePiTableCannotReduce)
{
    for (Trig f : {Trig::Tan, Trig::Cot}) {
        resetCoreForTest(40);
        RecordingPort port;
        EXPECT_TRUE(run(f, bigFromDecimal("2e12000")).isEmpty());
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].first, std::string(f == Trig::Tan ? "tan" : "cot") +
                                              "函数的自变量过大：约简需要π的12049位数字，超过了数字表的11000位");
    }
}

} // namespace
