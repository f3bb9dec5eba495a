// Sine and cosine against MPFR over the whole circle and its reductions
// (tiny angles, angles next to the multiples of π/2, large angles), the exact
// multiples of π/2, the limits of the π table and the timing report.
#include <gtest/gtest.h>

#include <gmp.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "funcs/constants.h"
#include "tests/support/display_match.h"
#include "tests/support/function_match.h"
#include "funcs/division.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"
#include "funcs/sine_cosine.h"

namespace {

class SineCosine : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

enum class Trig { Sin, Cos };

// Integer digits of a decimal text such as "-7.5e50" (0 below 1), so that the
// reference holds the argument and its reduction exactly enough.
int32_t integerDigitsOfText(const std::string& decimal)
{
    Mpfr x(decimal, 4000);
    if (mpfr_cmpabs_ui(x, 1) < 0)
        return 0;
    return static_cast<int32_t>(mpfr_get_exp(x) * 0.30103) + 2;
}

// π cut to `digits` significant digits, plus `lastUnits` units of the last.
std::string piText(int32_t digits, int lastUnits = 0)
{
    Mpfr pi(bitsForDigits(digits + 20));
    mpfr_const_pi(pi, MPFR_RNDN);
    const std::string c = canonicalTruncated(pi, digits); // "3.1415...e0"
    std::string all = c.substr(0, 1) + c.substr(2, c.find('e') - 2);
    all.resize(static_cast<size_t>(digits), '0');
    mpz_t v;
    mpz_init_set_str(v, all.c_str(), 10);
    if (lastUnits >= 0)
        mpz_add_ui(v, v, static_cast<unsigned long>(lastUnits));
    else
        mpz_sub_ui(v, v, static_cast<unsigned long>(-lastUnits));
    char* text = mpz_get_str(nullptr, 10, v);
    std::string out = std::string(text, 1) + "." + (text + 1);
    free(text);
    mpz_clear(v);
    return out;
}

BigNum run(Trig f, const BigNum& x) { return f == Trig::Sin ? mysin(x) : myCos(x); }

// The display of sin x (cos x) at the precision of the box against MPFR's
// value computed 40 digits further, holding all the digits the reduction
// by 2π consumes.
void expectMatchesMpfr(Trig f, const std::string& x, int32_t box)
{
    const int32_t p = workPrecisionForBox(box);
    SCOPED_TRACE(std::string(f == Trig::Sin ? "sin" : "cos") + "(" + x.substr(0, 60) + ") at box " +
                 std::to_string(box));
    resetCoreForTest(p);
    const BigNum r = run(f, bigFromDecimal(x));
    ASSERT_EQ(errorFlag, 0);
    const mpfr_prec_t bits = bitsForDigits(p + 40 + integerDigitsOfText(x) + static_cast<int32_t>(x.size()));
    Mpfr a(x, bits), reference(bits);
    if (f == Trig::Sin)
        mpfr_sin(reference, a, MPFR_RNDN);
    else
        mpfr_cos(reference, a, MPFR_RNDN);
    EXPECT_TRUE(agreesWithMpfr(r, reference));
}

const std::vector<std::string> kAngles = {
    // small and tiny, both signs
    "1", "-1", "0.5", "1e-30", "-3.3e-12", "2.5e-300",
    // next to the multiples of π/2, and in every quadrant
    "1.5707963", "1.5573", "-1.5573", "3.14159", "-3.1415926535", "4.712389", "6.2831853", "2", "-2.5", "5.5",
    // near multiples of π far out: sin 355 = -3.0e-5, sin 103993 = -1.9e-6
    "355", "-355", "103993", "833719",
    // large: the reduction needs π to as many more digits
    "10", "100", "123456.789", "1e6", "-1e6", "1e20", "-7.5e50", "1e100", "3.3e300"};

TEST_F(SineCosine, AgreeWithMpfrOverTheCircleAndItsReductions)
{
    for (int32_t box : {1, 32, 50, 500})
        for (const std::string& x : kAngles) {
            expectMatchesMpfr(Trig::Sin, x, box);
            expectMatchesMpfr(Trig::Cos, x, box);
        }
}

TEST_F(SineCosine, AgreeWithMpfrAtTwoThousandDigits)
{
    for (const char* x : {"1", "-0.5", "1e-30", "1.5573", "355", "1e6", "1e100"}) {
        expectMatchesMpfr(Trig::Sin, x, 2000);
        expectMatchesMpfr(Trig::Cos, x, 2000);
    }
}

TEST_F(SineCosine, AgreeWithMpfrAtTenThousandDigits)
{
    expectMatchesMpfr(Trig::Sin, "1", 10000);
    expectMatchesMpfr(Trig::Cos, "1", 10000);
    expectMatchesMpfr(Trig::Sin, "1e100", 10000);
    expectMatchesMpfr(Trig::Cos, "-1e6", 10000);
}

// Where the series of the table row stops short of the working precision
// (o = 15, q = 110 just below p = 1000; o = 55, q = 280 just below 8000), an
// angle next to π/2 shows the loss first.
TEST_F(SineCosine, KeepTheirDigitsAtTheTopOfEveryParameterRow)
{
    for (int32_t box : {970, 991})
        for (const char* x : {"1.5573", "-1.5573", "1.5"})
            expectMatchesMpfr(Trig::Sin, x, box);
    expectMatchesMpfr(Trig::Cos, "0.0135", 991);
    expectMatchesMpfr(Trig::Sin, "1.5573", 7990);
}

TEST_F(SineCosine, AgreeWithMpfrNextToTheirZeros)
{
    // The angle sits right next to π (and π/2 for the cosine): the digits
    // that cancel against π are paid for with more digits of π.
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {piText(30), 32}, {piText(42, 1), 32}, {piText(300), 500}, {piText(499, -3), 500}, {piText(1200), 2000}};
    for (const auto& [x, box] : cases) {
        expectMatchesMpfr(Trig::Sin, x, box);
        expectMatchesMpfr(Trig::Cos, x, box);
    }
    // cos next to π/2: half of π cut to 300 digits.
    Mpfr half(piText(300), bitsForDigits(400));
    mpfr_div_2ui(half, half, 1, MPFR_RNDN);
    expectMatchesMpfr(Trig::Cos, canonicalRounded(half, 320), 500);
}

// The multiples of π/2 as the precision sees them: π of the constant keyword
// (p + 4 digits) and the results computed from it.
TEST_F(SineCosine, AnswerTheMultiplesOfHalfPiExactly)
{
    struct Case {
        const char* name;
        int multipleOfHalfPi; // x = k·π/2
        const char* sine;
        const char* cosine;
    };
    const std::vector<Case> cases = {{"π/2", 1, "1e0", "0"},    {"π", 2, "0", "-1e0"},   {"3π/2", 3, "-1e0", "0"},
                                     {"2π", 4, "0", "1e0"},     {"-π/2", -1, "-1e0", "0"}, {"-π", -2, "0", "-1e0"},
                                     {"-3π/2", -3, "1e0", "0"}, {"-2π", -4, "0", "1e0"}};
    for (int32_t p : {10, 40, 509}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at p " + std::to_string(p));
            resetCoreForTest(p);
            BigNum x = myDiv(myMul(myPi(), makeFromDigits({std::abs(c.multipleOfHalfPi), 0}, 1, 0, true)), bigTwo);
            x.positive = c.multipleOfHalfPi < 0 ? kFalse : kTrue;
            EXPECT_EQ(canonicalOf(mysin(x)), c.sine);
            EXPECT_EQ(canonicalOf(myCos(x)), c.cosine);
            EXPECT_EQ(errorFlag, 0);
        }
    }
    resetCoreForTest(40);
    EXPECT_EQ(canonicalOf(mysin(bigZero)), "0");
    EXPECT_EQ(canonicalOf(myCos(bigZero)), "1e0");
}

TEST_F(SineCosine, RefuseAnglesThePiTableCannotReduce)
{
    struct Case {
        Trig f;
        std::string x;
        int32_t p;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Trig::Sin, "1e20000", 40, "sin函数的自变量过大：约简需要π的20049位数字，超过了数字表的11000位"},
        {Trig::Sin, "-1e1999999999", 40,
         "sin函数的自变量过大：约简需要π的2000000048位数字，超过了数字表的11000位"},
        // The exact-point test still fits (10,999 digits), the general case not.
        {Trig::Cos, "-3e10950", 40, "cos函数的自变量过大：约简需要π的11119位数字，超过了数字表的11000位"},
    };
    for (const Case& c : cases) {
        resetCoreForTest(c.p);
        RecordingPort port;
        EXPECT_TRUE(refusedWith(run(c.f, bigFromDecimal(c.x)), port, c.message));
    }
    // π cut to 9000 digits at 10,000 digits: the 9000 digits that cancel
    // against π are more than the table has beyond the working precision.
    resetCoreForTest(workPrecisionForBox(10000));
    RecordingPort port;
    EXPECT_TRUE(mysin(bigFromDecimal(piText(9000))).isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first.rfind("sin函数的自变量太接近π/2的整数倍：要算准结果需要π的", 0), 0u)
        << port.messages[0].first;
}

TEST_F(SineCosine, ReportTheirTimeInTheCaptionOnlyForTheSeries)
{
    struct Case {
        Trig f;
        std::string x;
        size_t captions;
    };
    const std::vector<Case> cases = {
        {Trig::Sin, "1", 1}, {Trig::Sin, "0", 0}, {Trig::Cos, "1", 1}, {Trig::Cos, "0", 0}};
    for (const Case& c : cases) {
        resetCoreForTest(40);
        subFunctionTest = kTrue;
        RecordingPort port;
        run(c.f, bigFromDecimal(c.x));
        EXPECT_EQ(subFunctionTest, kTrue);
        ASSERT_EQ(port.captions.size(), c.captions) << c.x;
        EXPECT_TRUE(port.messages.empty());
        if (c.captions == 1) {
            const std::string& caption = port.captions[0];
            EXPECT_EQ(caption.rfind("Velder高精度表达式计算器 ", 0), 0u) << caption;
            EXPECT_EQ(caption.substr(caption.size() - 4), " 秒") << caption;
        }
    }
    // Sine of π: an exact point gives the switch back without a report.
    resetCoreForTest(40);
    subFunctionTest = kTrue;
    RecordingPort port;
    mysin(myPi());
    EXPECT_TRUE(port.captions.empty());
    EXPECT_EQ(subFunctionTest, kTrue);
}

} // namespace
