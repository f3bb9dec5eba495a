// sinh, cosh, tanh, coth and their inverses against MPFR, over arguments
// that reach every cancellation the formulas meet (tiny arguments, huge
// negative ones, arguments next to the domain ends), plus their exact points
// and domain messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "funcs/hyperbolic.h"
#include "funcs/inverse_hyperbolic.h"
#include "tests/support/reference.h"

namespace {

class Hyperbolic : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

struct Function {
    const char* name;
    BigNum (*routine)(const BigNum&);
    MpfrUnary reference;
};

const Function kSinh{"sinh", mySinh, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_sinh(o, x, MPFR_RNDN); }};
const Function kCosh{"cosh", myCosh, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_cosh(o, x, MPFR_RNDN); }};
const Function kTanh{"tanh", myTanh, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_tanh(o, x, MPFR_RNDN); }};
const Function kCoth{"coth", myCoth, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_coth(o, x, MPFR_RNDN); }};
const Function kArsinh{"arsinh", myArsinh, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_asinh(o, x, MPFR_RNDN); }};
const Function kArcosh{"arcosh", myArcosh, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_acosh(o, x, MPFR_RNDN); }};
const Function kArtanh{"artanh", myArtanh, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_atanh(o, x, MPFR_RNDN); }};
const Function kArcoth{"arcoth", myArcoth, [](mpfr_ptr o, mpfr_srcptr x) {
                           // artanh(1/x), with the quotient carried far beyond the result.
                           Mpfr inverse(mpfr_get_prec(o) + 64);
                           mpfr_ui_div(inverse, 1, x, MPFR_RNDN);
                           mpfr_atanh(o, inverse, MPFR_RNDN);
                       }};

struct Cases {
    const Function& f;
    std::vector<std::string> arguments;
};

// 1 + 10^-n, and 1 - 10^-n as 0.99..9 (n nines).
std::string onePlusTenTo(int n) { return "1." + std::string(static_cast<size_t>(n - 1), '0') + "1"; }
// Arguments with more digits than any precision below 10,000 keeps: a digit
// dropped by a sum shows up in the result.
constexpr size_t kLong = 2100;
std::string longTiny(int n) { return longDecimal("1.", kLong, "e-" + std::to_string(n)); }
std::string longNearOne(int n) { return longDecimal("1." + std::string(static_cast<size_t>(n - 1), '0'), kLong); }
std::string longNines(int n) { return longDecimal(nines(n), kLong); }

void checkAll(const std::vector<Cases>& table, const std::vector<int32_t>& boxes)
{
    for (int32_t box : boxes)
        for (const Cases& c : table)
            for (const std::string& x : c.arguments) {
                SCOPED_TRACE(c.f.name);
                expectUnaryMatchesMpfr(c.f.routine, c.f.reference, x, box);
            }
}

TEST_F(Hyperbolic, AgreeWithMpfr)
{
    // 1e-600 and 1e-2000 lose 600 and 2000 digits to u - 1/u; beyond half
    // the precision the first series term is the answer.
    const std::vector<std::string> odd = {"1",      "-2",    "0.5",    "1e-20",        "-3.7e-9",     "1e-600",
                                          "-1e-2000", "23000", "-23000", "40.25",        "0.001",       "-0.099",
                                          longTiny(20), "-" + longTiny(600), longTiny(1200)};
    checkAll({{kSinh, odd},
              {kCosh, {"1", "-2", "0.5", "1e-20", "-1e-600", "23000", "-23000.5", "0.001", longTiny(30)}},
              {kTanh, odd},
              {kCoth, {"1", "-2", "0.5", "1e-20", "-3.7e-9", "1e-600", "-1e-2000", "40.25", "0.001", longTiny(20),
                       "-" + longTiny(700)}}},
             {1, 32, 50, 500, 2000});
}

TEST_F(Hyperbolic, InversesAgreeWithMpfr)
{
    // arsinh of -10^k loses 2k digits to sqrt(x^2 + 1) + x: within the
    // raised precision up to 1e400 here, by the odd symmetry beyond.
    checkAll({{kArsinh,
               {"1", "-1", "0.5", "123.456", "-0.001", "1e-25", "-1e-25", "1e-3000", "-1e100", "-1e400",
                "-3.3e5000", "1e1500000000", "-1e1500000000", longTiny(25), "-" + longTiny(400),
                longDecimal("-1.", kLong, "e100"), longDecimal("-1.", kLong, "e400")}},
              {kArcosh,
               {"1", "2", "10.5", onePlusTenTo(12), onePlusTenTo(52), onePlusTenTo(61), onePlusTenTo(1500),
                "1e9000", "1e1500000000", longNearOne(12), longNearOne(700)}},
              {kArtanh,
               {"0.5", "-0.5", "0.1", "0.3", "1e-12", "-1e-12", "1e-600", "-1e-5000", nines(9), "-" + nines(9),
                nines(50), "-" + nines(300), longTiny(12), "-" + longTiny(600), longNines(9), "-" + longNines(40)}},
              {kArcoth,
               {"2", "-2", "1.5", "1e15", "-1e15", "1e600", "1e5000", onePlusTenTo(10), "-" + onePlusTenTo(10),
                onePlusTenTo(200), longDecimal("1.", kLong, "e15"), longDecimal("-1.", kLong, "e700"), longNearOne(10),
                "-" + longNearOne(300)}}},
             {1, 32, 50, 500, 2000});
}

TEST_F(Hyperbolic, TenThousandDigits)
{
    checkAll({{kSinh, {"1", longDecimal("1.", 10100, "e-3000")}}, {kArsinh, {"-1e100"}}, {kArtanh, {nines(9)}}},
             {10000});
}

TEST_F(Hyperbolic, ExactPoints)
{
    struct Case {
        BigNum (*routine)(const BigNum&);
        std::string x;
        std::string want; // canonical
    };
    const Case cases[] = {{mySinh, "0", "0"},   {myCosh, "0", "1e0"},   {myTanh, "0", "0"},
                          {myArsinh, "0", "0"}, {myArcosh, "1", "0"},   {myArtanh, "0", "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        resetCoreForTest();
        EXPECT_EQ(canonicalOf(c.routine(bigFromDecimal(c.x))), c.want);
        EXPECT_EQ(errorFlag, 0);
    }
    // cosh is even: the sign is dropped before anything is computed.
    resetCoreForTest(workPrecisionForBox(500));
    EXPECT_EQ(canonicalOf(myCosh(bigFromDecimal("-2.5"))), canonicalOf(myCosh(bigFromDecimal("2.5"))));
}

TEST_F(Hyperbolic, DomainMessages)
{
    const std::string coth = "coth函数输入错误，自变量x不能为零";
    const std::string arcosh = "Arcosh函数输入错误，反双曲余弦函数的定义域为 [1,+∞)";
    const std::string artanh = "Artanh函数输入错误，反双曲正切函数的定义域为(-1,1)";
    const std::string arcoth = "Arcoth函数输入错误，反双曲余切函数的定义域为(|x|>1)";
    struct Case {
        BigNum (*routine)(const BigNum&);
        std::string x;
        const std::string& message;
    };
    const Case cases[] = {{myCoth, "0", coth},      {myArcosh, "0.5", arcosh}, {myArcosh, "-2", arcosh},
                          {myArcosh, "0", arcosh},  {myArtanh, "1", artanh},   {myArtanh, "-1", artanh},
                          {myArtanh, "7", artanh},  {myArcoth, "1", arcoth},   {myArcoth, "0.5", arcoth},
                          {myArcoth, "0", arcoth},  {myArcoth, "-1", arcoth}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + " for " + c.x);
        resetCoreForTest();
        RecordingPort port;
        EXPECT_TRUE(refusedWith(c.routine(bigFromDecimal(c.x)), port, c.message));
    }
}

TEST_F(Hyperbolic, ReturnAtOnceAfterAnError)
{
    for (const Function* f : {&kSinh, &kCosh, &kTanh, &kCoth, &kArsinh, &kArcosh, &kArtanh, &kArcoth}) {
        SCOPED_TRACE(f->name);
        resetCoreForTest();
        errorFlag = -1;
        RecordingPort port;
        EXPECT_TRUE(f->routine(bigFromDecimal("0")).isEmpty());
        EXPECT_TRUE(port.messages.empty());
        EXPECT_EQ(workPrecision, 40);
    }
}

} // namespace
