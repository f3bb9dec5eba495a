// Cube roots and y-th roots against MPFR, the exact roots, the digit-by-digit
// seed, the messages, and "yroot"/"cuberoot" through the evaluator.
#include <gmp.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "expr/evaluator.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "funcs/nth_root.h"
#include "tests/support/reference.h"
#include "funcs/square_root.h"
#include "funcs/whole_number.h"

namespace {

class NthRoot : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

const MpfrUnary kCbrt = [](mpfr_ptr out, mpfr_srcptr x) { mpfr_cbrt(out, x, MPFR_RNDN); };

TEST_F(NthRoot, CubeRootAgreesWithMpfr)
{
    // 8.000000000000000000001 has the 20-digit seed 2.0000000000000000000;
    // the boxes include precisions just below a doubling of the seed's digits.
    const std::vector<std::string> arguments = {
        "2",     "-5",      "0.5",         "1e-3000",      "3.7e-2999",  "1e9000", "-2.5e-7",
        "999.999", "123456789.123", "8.000000000000000000001", "0.001000000000000000000000000001",
        longDecimal("1.", 2100, "e-1234"), "-" + longDecimal("7.", 2100, "e55")};
    for (int32_t box : {1, 32, 50, 500, 2000, 2500, 5100})
        for (const std::string& x : arguments)
            expectUnaryMatchesMpfr(myCubeRoot, kCbrt, x, box);
}

TEST_F(NthRoot, CubeRootTenThousandDigits)
{
    for (const std::string x : {"2", "-1e-3000"})
        expectUnaryMatchesMpfr(myCubeRoot, kCbrt, x, 10000);
}

TEST_F(NthRoot, ExactCubeRoots)
{
    struct Case {
        std::string x;
        std::string want; // canonical
    };
    const Case cases[] = {{"27", "3e0"},   {"-27", "-3e0"}, {"0.001", "1e-1"}, {"1", "1e0"},
                          {"-1", "-1e0"},  {"0", "0"},      {"1e-3000", "1e-1000"}, {"15625e-6", "2.5e-1"}};
    for (int32_t box : {1, 32, 2000})
        for (const Case& c : cases) {
            SCOPED_TRACE(c.x + " at box " + std::to_string(box));
            resetCoreForTest(workPrecisionForBox(box));
            EXPECT_EQ(canonicalOf(myCubeRoot(bigFromDecimal(c.x))), c.want);
            EXPECT_EQ(errorFlag, 0);
        }
}

// N^n - minus, in decimal.
std::string powerMinus(const char* n, unsigned long power, unsigned long minus)
{
    mpz_t v;
    mpz_init_set_str(v, n, 10);
    mpz_pow_ui(v, v, power);
    mpz_sub_ui(v, v, minus);
    char* text = mpz_get_str(nullptr, 10, v);
    std::string s = text;
    free(text);
    mpz_clear(v);
    return s;
}

TEST_F(NthRoot, RootDigitsAreTheTruncatedRoot)
{
    // The seed is the exact first 20 digits of the root, cut, never rounded.
    struct Case {
        int n;
        std::string x;
    };
    const Case cases[] = {{3, "2"},      {3, "27"},       {3, "0.001"},   {3, "1e-3000"}, {3, "3.7e-2999"},
                          {3, "1e9000"}, {3, "999.999"},  {2, "2"},       {2, "0.0002"},  {5, "123456.789"},
                          {7, "1e-50"},  {9, "8.5e100"},  {3, "1.000000000000000000000000001"},
                          // N^3 - 1 and N^3 for a 20-digit N, N^7 - 1: the root's last digit
                          // sits on the edge, and the 60- and 140-digit integers of the
                          // extraction must be exact to find it.
                          {3, powerMinus("12345678901234567891", 3, 1)}, {3, powerMinus("12345678901234567891", 3, 0)},
                          {7, powerMinus("98765432109876543211", 7, 1)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + "-th root of " + c.x);
        resetCoreForTest();
        const BigNum r = myRootDigits(bigFromInteger(c.n), bigFromDecimal(c.x));
        EXPECT_EQ(errorFlag, 0);
        EXPECT_EQ(workPrecision, 40);
        Mpfr x(c.x, 4000), root(4000);
        mpfr_rootn_ui(root, x, static_cast<unsigned long>(c.n), MPFR_RNDN);
        EXPECT_EQ(canonicalOf(r), canonicalTruncated(root, 20));
    }
}

struct YrootCase {
    std::string y;
    std::string x;
};

// |x|^(1/y), negative for an odd integer index and a negative radicand (the
// cases give even indices only positive radicands).
void yrootReference(mpfr_ptr out, const YrootCase& c)
{
    const mpfr_prec_t bits = mpfr_get_prec(out);
    Mpfr y(c.y, bits + 64), x(c.x, bits + 64), inverse(bits + 64);
    mpfr_ui_div(inverse, 1, y, MPFR_RNDN);
    const bool negative = mpfr_sgn(x.get()) < 0;
    mpfr_abs(x, x, MPFR_RNDN);
    mpfr_pow(out, x, inverse, MPFR_RNDN);
    Mpfr half(bits + 64);
    mpfr_div_2ui(half, y, 1, MPFR_RNDN);
    if (negative && mpfr_integer_p(y) && !mpfr_integer_p(half))
        mpfr_neg(out, out, MPFR_RNDN);
}

TEST_F(NthRoot, YrootAgreesWithMpfr)
{
    const std::vector<YrootCase> cases = {
        {"3", "2"},     {"3", "-8.5"},  {"4", "16.5"}, {"7", "1e900"},    {"2.5", "10"},   {"-1", "7"},
        {"-3", "0.001"}, {"12", "2"},   {"5", "-32"},   {"0.3", "1e-50"},  {"3", "1e-3000"}, {"1e-5", "1.00001"},
        {"2", "3.7e-1999999999"}, {"3", "9.9e1999999999"},
        // odd, although half of it has one digit more than the precision keeps
        {"10000000000000000000000000000000000000000000000001", "-8"}};
    for (int32_t box : {1, 32, 50, 500})
        for (const YrootCase& c : cases) {
            const int32_t p = workPrecisionForBox(box);
            SCOPED_TRACE("yroot(" + c.y + ", " + c.x + ") at box " + std::to_string(box));
            resetCoreForTest(p);
            RecordingPort port;
            const BigNum r = myYroot(bigFromDecimal(c.y), bigFromDecimal(c.x));
            EXPECT_EQ(errorFlag, 0);
            EXPECT_TRUE(port.messages.empty());
            EXPECT_EQ(workPrecision, p);
            Mpfr reference(referenceBits(p, c.x + c.y));
            yrootReference(reference, c);
            EXPECT_TRUE(agreesWithMpfr(r, reference));
        }
}

TEST_F(NthRoot, YrootTrivialCases)
{
    struct Case {
        std::string y;
        std::string x;
        std::string want; // display
    };
    const Case cases[] = {{"3", "8", "2.0"},   {"3", "-8", "-2.0"}, {"4", "16", "2.0"}, {"0.5", "2", "4.0"},
                          {"-1", "4", "2.5E-1"}, {"7.5", "1", "1.0"}, {"7.5", "0", "0.0"}, {"-3", "0", "0.0"},
                          {"2", "1", "1.0"},    {"3", "-1", "-1.0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("yroot(" + c.y + ", " + c.x + ")");
        resetCoreForTest();
        EXPECT_EQ(myNumToStr(myYroot(bigFromDecimal(c.y), bigFromDecimal(c.x))), c.want);
        EXPECT_EQ(errorFlag, 0);
    }
    // yroot(1, x) is x with every digit.
    resetCoreForTest();
    const BigNum x = bigFromDecimal("-3.14159265358979323846264338327950288419716939937510");
    EXPECT_EQ(canonicalOf(myYroot(bigFromDecimal("1"), x)), canonicalOfDecimal("-3.14159265358979323846264338327950288419716939937510", 44));
}

TEST_F(NthRoot, YrootMessages)
{
    struct Case {
        std::string y;
        std::string x;
        std::string message;
    };
    const Case cases[] = {{"1.5", "-8", "对不起，因为指数是小数，被开方数不能为负"},
                          {"0", "8", "对不起，你给的数值超出了正常值范围,开方数不能为零"},
                          {"0", "-8", "对不起，你给的数值超出了正常值范围,开方数不能为零"},
                          {"0", "0", "对不起，你给的数值超出了正常值范围,开方数不能为零"},
                          // an even root of a negative number, as the square root says
                          {"4", "-16", kNegativeRadicandMessage},
                          {"2", "-1", kNegativeRadicandMessage},
                          {"-2", "-4", kNegativeRadicandMessage},
                          {"2e30", "-0.5", kNegativeRadicandMessage}};
    for (const Case& c : cases) {
        SCOPED_TRACE("yroot(" + c.y + ", " + c.x + ")");
        resetCoreForTest();
        RecordingPort port;
        EXPECT_TRUE(refusedWith(myYroot(bigFromDecimal(c.y), bigFromDecimal(c.x)), port, c.message));
    }
    resetCoreForTest();
    errorFlag = -1;
    RecordingPort port;
    EXPECT_TRUE(myYroot(bigFromDecimal("3"), bigFromDecimal("8")).isEmpty());
    EXPECT_TRUE(myCubeRoot(bigFromDecimal("8")).isEmpty());
    EXPECT_TRUE(myRootDigits(bigFromDecimal("3"), bigFromDecimal("8")).isEmpty());
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(NthRoot, ThroughTheEvaluator)
{
    // yroot takes the root index first; with one number it lacks its
    // radicand and reports it instead of reading past the token table.
    struct Case {
        std::string typed;
        std::string shown; // empty: the message is expected
    };
    const Case cases[] = {{"yroot(3,8)", "2.0"},       {"yroot(3,(-8))", "-2.0"}, {"cuberoot(27)", "3.0"},
                          {"cuberoot27+1", "4.0"},     {"yroot(2,9)*2", "6.0"},   {"yroot(8)", ""},
                          {"yroot", ""},               {"2+yroot(3)", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        resetCoreForTest();
        RecordingPort port;
        const BigNum value = myEvaluate(c.typed, 40);
        if (c.shown.empty()) {
            EXPECT_EQ(errorFlag, -1);
            ASSERT_EQ(port.messages.size(), 1u);
            EXPECT_EQ(port.messages[0].first, kMissingOperandMessage);
        } else {
            EXPECT_EQ(errorFlag, 0);
            EXPECT_EQ(myNumToStr(value), c.shown);
        }
    }
}

} // namespace
