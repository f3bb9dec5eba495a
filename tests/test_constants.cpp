// π and e from the tables, the angle conversions, integer and fractional part
// and the exponent operator, against MPFR.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "funcs/angle_conversion.h"
#include "funcs/constants.h"
#include "funcs/division.h"
#include "expr/evaluator.h"
#include "bignum/globals.h"
#include "funcs/integer_part.h"
#include "tests/support/reference.h"
#include "funcs/set_exponent.h"

namespace {

class Constants : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

// |got - want| <= 10^-digits * |want|.
::testing::AssertionResult closeTo(const BigNum& got, mpfr_srcptr want, int32_t digits)
{
    const std::string text = canonicalOf(got);
    if (text == "<empty>")
        return ::testing::AssertionFailure() << "empty result";
    const mpfr_prec_t bits = bitsForDigits(digits + 40);
    Mpfr g(bits);
    mpfr_set_str(g, text.c_str(), 10, MPFR_RNDN);
    Mpfr diff(bits);
    mpfr_sub(diff, g, want, MPFR_RNDN);
    Mpfr bound(bits);
    mpfr_abs(bound, want, MPFR_RNDN);
    Mpfr scale(bits);
    mpfr_set_ui(scale, 10, MPFR_RNDN);
    mpfr_pow_si(scale, scale, -digits, MPFR_RNDN);
    mpfr_mul(bound, bound, scale, MPFR_RNDN);
    mpfr_abs(diff, diff, MPFR_RNDN);
    if (mpfr_cmp(diff, bound) <= 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text.substr(0, 80) << "... differs from the reference beyond 1e-" << digits;
}

TEST_F(Constants, PiAndEAreTheTableDigitsToPrecisionPlusFour)
{
    for (int32_t p : {1, 9, 40, 997, 4000, 10000, 10996}) {
        workPrecision = p;
        const mpfr_prec_t bits = bitsForDigits(p + 40);
        Mpfr pi(bits);
        Mpfr e(bits);
        mpfr_const_pi(pi, MPFR_RNDZ);
        mpfr_set_ui(e, 1, MPFR_RNDN);
        mpfr_exp(e, e, MPFR_RNDZ);
        const BigNum myPiValue = myPi();
        EXPECT_EQ(myPiValue.limbCount, p + 4);
        EXPECT_EQ(canonicalOf(myPiValue), canonicalTruncated(pi, p + 4)) << p;
        EXPECT_EQ(canonicalOf(myE()), canonicalTruncated(e, p + 4)) << p;
    }
    EXPECT_EQ(errorFlag, 0);
}

// Beyond the 11,000 table digits, or beyond what the table file supplied,
// the constants stop with a message instead of reading past the table.
TEST_F(Constants, PrecisionBeyondTheTableStopsWithAMessage)
{
    {
        RecordingPort port;
        workPrecision = 10997;
        EXPECT_TRUE(myPi().isEmpty());
        EXPECT_EQ(errorFlag, -1);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_NE(port.messages[0].first.find("11000"), std::string::npos) << port.messages[0].first;
    }
    resetCoreForTest(40);
    {
        RecordingPort port;
        workPrecision = 2000000000;
        EXPECT_TRUE(myE().isEmpty());
        EXPECT_TRUE(myRadian(bigTwo).isEmpty());
        EXPECT_EQ(port.messages.size(), 1u);
    }
    resetCoreForTest(40);
    const int32_t available = tableDigitsAvailable(DigitTableId::Pi);
    setTableDigitsAvailable(DigitTableId::Pi, 100);
    {
        RecordingPort port;
        workPrecision = 200;
        EXPECT_TRUE(myAngle(bigOne).isEmpty());
        EXPECT_EQ(port.messages.size(), 1u);
    }
    setTableDigitsAvailable(DigitTableId::Pi, available);
}

TEST_F(Constants, IntegerAndFractionalPart)
{
    struct Case {
        const char* x;
        const char* integer;
        const char* fraction;
    };
    const Case cases[] = {
        {"2.7", "2e0", "7e-1"},
        {"-2.7", "-2e0", "-7e-1"},
        {"5", "5e0", "0"},
        {"0.5", "0", "5e-1"},
        {"-0.5", "0", "-5e-1"},
        {"0", "0", "0"},
        {"1234.000056", "1.234e3", "5.6e-5"},
        {"1e-2000000000", "0", "1e-2000000000"},
        {"1.5e2000000000", "1.5e2000000000", "0"},
        {"123.456e-1", "1.2e1", "3.456e-1"},
        {"-98765.4321e2", "-9.876543e6", "-2.1e-1"},
    };
    workPrecision = 40;
    for (const Case& c : cases) {
        EXPECT_EQ(canonicalOf(myInt(bigFromDecimal(c.x))), c.integer) << "int " << c.x;
        EXPECT_EQ(canonicalOf(myFrac(bigFromDecimal(c.x))), c.fraction) << "frac " << c.x;
    }
    // Four-digit limbs (the shared constants) read the same.
    EXPECT_EQ(canonicalOf(myInt(bigTen)), "1e1");
    EXPECT_EQ(canonicalOf(myFrac(bigHalf)), "5e-1");
    EXPECT_EQ(errorFlag, 0);
}

// Random values: int(x) against mpfr_trunc (exact: the integer part of a
// decimal is an integer, which MPFR holds exactly), int + frac = x exactly,
// and both cut to workPrecision + 4 digits. Half the values carry runs of 9s
// and 0s around the point or where int(x) is cut.
TEST_F(Constants, IntegerPartAgreesWithMpfr)
{
    std::mt19937_64 rng(23);
    for (int i = 0; i < 400; ++i) {
        const int32_t digits = 1 + static_cast<int32_t>(rng() % 80);
        workPrecision = 9 + static_cast<int32_t>(rng() % 60);
        std::string x = randomDecimal(rng, digits, 30);
        if (i % 2 == 1) {
            const bool atPoint = i % 4 == 1;
            const int32_t cut =
                atPoint ? static_cast<int32_t>(rng() % static_cast<uint64_t>(digits + 1)) : workPrecision + 4;
            const std::string d = randomDecimalWithRunAt(rng, digits, 0, cut); // ends in "e0"
            const int32_t exp = atPoint ? cut - 1 : static_cast<int32_t>(rng() % 61) - 30;
            x = d.substr(0, d.size() - 2) + "e" + std::to_string(exp);
        }
        const mpfr_prec_t bits = bitsForDigits(200);
        Mpfr xm(x, bits);
        Mpfr t(bits);
        mpfr_trunc(t, xm);
        EXPECT_EQ(canonicalOf(myInt(bigFromDecimal(x))), canonicalTruncated(t, workPrecision + 4)) << x;

        const int32_t saved = workPrecision;
        workPrecision = 200;
        const BigNum sum = myAdd(myInt(bigFromDecimal(x)), myFrac(bigFromDecimal(x)));
        EXPECT_EQ(canonicalOf(sum), canonicalOf(myTruncSig(bigFromDecimal(x), 204))) << x;
        workPrecision = saved;
        EXPECT_LE(myFrac(bigFromDecimal(x)).limbCount, workPrecision + 4);
    }
}

// radian(x) = (x mod 360) π / 180 and the minutes and seconds of arc, and
// angle(x) = (x mod 2π) 180 / π, to the digits kept.
// An angle of up to five integer digits and `digits` digits in all, so that
// the reduction's integer quotient stays inside the kept digits.
std::string angleOperand(std::mt19937_64& rng, int32_t digits)
{
    std::string d;
    for (int32_t i = 0; i < digits; ++i)
        d += static_cast<char>('0' + rng() % 10);
    const size_t point = std::min<size_t>(rng() % 6, d.size());
    return std::string(rng() % 2 ? "-" : "") + (point == 0 ? "0" : d.substr(0, point)) + "." + d.substr(point) + "1";
}

TEST_F(Constants, AngleConversionsAgreeWithMpfr)
{
    std::mt19937_64 rng(29);
    for (int i = 0; i < 60; ++i) {
        const int32_t p = 9 + static_cast<int32_t>(rng() % 400);
        const std::string x = angleOperand(rng, 1 + static_cast<int32_t>(rng() % p));
        const mpfr_prec_t bits = bitsForDigits(p + 60);
        Mpfr xm(x, bits);
        Mpfr pi(bits);
        mpfr_const_pi(pi, MPFR_RNDN);
        Mpfr full(bits);
        mpfr_set_ui(full, 360, MPFR_RNDN);
        Mpfr want(bits);

        struct Unit {
            BigNum (*convert)(const BigNum&);
            unsigned long perDegree;
        };
        for (const Unit& u : {Unit{myRadian, 1}, Unit{myArcMinute, 60}, Unit{myArcSecond, 3600}}) {
            workPrecision = p;
            const BigNum got = u.convert(bigFromDecimal(x));
            EXPECT_EQ(workPrecision, p);
            mpfr_div_ui(want, xm, u.perDegree, MPFR_RNDN);
            mpfr_fmod(want, want, full, MPFR_RNDN);
            mpfr_mul(want, want, pi, MPFR_RNDN);
            mpfr_div_ui(want, want, 180, MPFR_RNDN);
            // x / 60 and x / 3600 are cut to p + 4 digits before the reduction.
            EXPECT_TRUE(closeTo(got, want, u.perDegree == 1 ? p + 1 : p)) << x << " per " << u.perDegree << " at " << p;
        }

        workPrecision = p;
        const BigNum degrees = myAngle(bigFromDecimal(x));
        EXPECT_EQ(workPrecision, p);
        Mpfr twoPi(bits);
        mpfr_mul_ui(twoPi, pi, 2, MPFR_RNDN);
        mpfr_fmod(want, xm, twoPi, MPFR_RNDN);
        mpfr_mul_ui(want, want, 180, MPFR_RNDN);
        mpfr_div(want, want, pi, MPFR_RNDN);
        EXPECT_TRUE(closeTo(degrees, want, p + 1)) << "angle " << x << " at " << p;
    }
}

// Angles far beyond a turn: every whole turn comes off exactly (1e50° is
// 280°), and angle() takes π to as many more digits as the argument has
// integer digits, and more where the remainder lands next to a multiple of
// 2π. References computed by MPFR with the argument exact.
TEST_F(Constants, HugeAnglesAgreeWithMpfr)
{
    const int32_t p = 40;
    struct Unit {
        BigNum (*convert)(const BigNum&);
        unsigned long perDegree;
    };
    for (const char* x : {"1e50", "-7.5e40", "123456789123456789e30", "99999999999999999999e60", "1e10000"}) {
        const mpfr_prec_t bits = bitsForDigits(10100 + p);
        Mpfr xm(x, bits), pi(bits), turn(bits), want(bits);
        mpfr_const_pi(pi, MPFR_RNDN);
        for (const Unit& u : {Unit{myRadian, 1}, Unit{myArcMinute, 60}, Unit{myArcSecond, 3600}}) {
            resetCoreForTest(p);
            mpfr_set_ui(turn, 360 * u.perDegree, MPFR_RNDN);
            mpfr_fmod(want, xm, turn, MPFR_RNDN);
            mpfr_mul(want, want, pi, MPFR_RNDN);
            mpfr_div_ui(want, want, 180 * u.perDegree, MPFR_RNDN);
            EXPECT_TRUE(closeTo(u.convert(bigFromDecimal(x)), want, p + 1)) << x << " per " << u.perDegree;
            EXPECT_EQ(workPrecision, p);
        }
    }

    // 2π x 10^6 rounded up to the kept digits: the remainder is below 10^-36.
    const mpfr_prec_t bits = bitsForDigits(11100);
    Mpfr pi(bits), twoPi(bits), nearTurns(bits);
    mpfr_const_pi(pi, MPFR_RNDN);
    mpfr_mul_ui(twoPi, pi, 2, MPFR_RNDN);
    mpfr_mul_ui(nearTurns, twoPi, 1000000, MPFR_RNDN);
    mpfr_exp_t exp10 = 0;
    char* digits = mpfr_get_str(nullptr, &exp10, 10, p + kGuardDigits, nearTurns, MPFR_RNDU);
    const std::string nearMultiple = "0." + std::string(digits) + "e" + std::to_string(exp10);
    mpfr_free_str(digits);
    for (const std::string& x : {std::string("1e20"), std::string("-1e50"), std::string("3.3e300"),
                                 std::string("1e10900"), nearMultiple}) {
        resetCoreForTest(p);
        Mpfr xm(x, bits), want(bits);
        mpfr_fmod(want, xm, twoPi, MPFR_RNDN);
        mpfr_mul_ui(want, want, 180, MPFR_RNDN);
        mpfr_div(want, want, pi, MPFR_RNDN);
        EXPECT_TRUE(closeTo(myAngle(bigFromDecimal(x)), want, p + 1)) << "angle " << x;
        EXPECT_EQ(workPrecision, p);
    }

    // π to 11,048 digits would be needed: a message, not a wrong angle.
    resetCoreForTest(p);
    RecordingPort port;
    EXPECT_TRUE(myAngle(bigFromDecimal("1e11000")).isEmpty());
    EXPECT_EQ(errorFlag, -1);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_NE(port.messages[0].first.find("11000"), std::string::npos) << port.messages[0].first;

    // Through the evaluator: 1e50° is 280°.
    resetCoreForTest(p);
    Mpfr want(bits);
    mpfr_mul_ui(want, pi, 14, MPFR_RNDN);
    mpfr_div_ui(want, want, 9, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myEvaluate("1e50°", p), want, p + 1));
}

TEST_F(Constants, AngleExamples)
{
    workPrecision = 40;
    const mpfr_prec_t bits = bitsForDigits(100);
    Mpfr pi(bits);
    mpfr_const_pi(pi, MPFR_RNDN);
    Mpfr want(bits);
    struct Case {
        const char* degrees;
        long numerator;
        unsigned long denominator; // the value in radians: π * numerator / denominator
    };
    for (const Case& c : {Case{"30", 1, 6}, Case{"90", 1, 2}, Case{"390", 1, 6}, Case{"-30", -1, 6},
                          Case{"30.25", 121, 720}}) {
        mpfr_mul_si(want, pi, c.numerator, MPFR_RNDN);
        mpfr_div_ui(want, want, c.denominator, MPFR_RNDN);
        EXPECT_TRUE(closeTo(myRadian(bigFromDecimal(c.degrees)), want, 42)) << c.degrees;
    }
    // 30°15′ is the sum of the two conversions.
    mpfr_mul_ui(want, pi, 121, MPFR_RNDN);
    mpfr_div_ui(want, want, 720, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myAdd(myRadian(bigFromDecimal("30")), myArcMinute(bigFromDecimal("15"))), want, 42));
    mpfr_div_ui(want, pi, 648000, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myArcSecond(bigOne), want, 42));
    EXPECT_EQ(canonicalOf(myRadian(bigFromDecimal("360"))), "0");

    // angle(π) = 180 and angle(-π/2) = -90 for π as the evaluator gives it.
    Mpfr exact(bits);
    mpfr_set_si(exact, 180, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myAngle(myPi()), exact, 42));
    mpfr_set_si(exact, -90, MPFR_RNDN);
    BigNum halfPi = myDiv(myPi(), bigTwo);
    halfPi.positive = kFalse;
    EXPECT_TRUE(closeTo(myAngle(halfPi), exact, 42));
}

TEST_F(Constants, ExponentOperator)
{
    struct Case {
        const char* x;
        const char* k;
        const char* want;
    };
    const Case cases[] = {
        {"1.5", "3", "1.5e3"},
        {"2", "-3", "2e-3"},
        {"1", "2.0", "1e2"},
        {"-4.25", "10", "-4.25e10"},
        {"0", "999999999999", "0"},
        {"1", "1999999999", "1e1999999999"},
        {"123.5e7", "2", "1.235e11"},  // the left operand's own scale is kept
        {"1", "1.5e1", "1e15"},        // a computed exponent with its own scale
    };
    workPrecision = 40;
    for (const Case& c : cases)
        EXPECT_EQ(canonicalOf(mySetExponent(bigFromDecimal(c.x), bigFromDecimal(c.k))), c.want) << c.x << "e" << c.k;
    EXPECT_EQ(canonicalOf(mySetExponent(bigTwo, bigThree)), "2e3");

    // (1/3)e2 = 33.33...: the quotient's own exponent is added to.
    const BigNum third = myDiv(bigOne, bigThree);
    EXPECT_EQ(canonicalOf(mySetExponent(third, bigTwo)), "3." + std::string(43, '3') + "e1");
    EXPECT_EQ(errorFlag, 0);
}

// Scales that leave the exponent range, and exponents that are no integer
// (1e2.7 is not 100), are reported once.
TEST_F(Constants, ExponentOperatorRefused)
{
    struct Case {
        const char* x;
        const char* k;
        const char* message; // nullptr: the overflow message
    };
    const char* const notInteger = "e后面的指数必须是整数";
    for (const Case& c : {Case{"1", "999999999999", nullptr}, Case{"1", "-3000000000", nullptr},
                          Case{"5e1999999999", "2", nullptr}, Case{"1", "123456789012345678901234567890", nullptr},
                          Case{"1", "2000000001", nullptr}, Case{"1", "2.7", notInteger},
                          Case{"1", "0.5", notInteger}, Case{"1", "-0.5", notInteger}, Case{"0", "1.5", notInteger},
                          Case{"1", "1e-2000000000", notInteger}, Case{"1", "1234567890.1", notInteger}}) {
        resetCoreForTest(40);
        RecordingPort port;
        EXPECT_TRUE(mySetExponent(bigFromDecimal(c.x), bigFromDecimal(c.k)).isEmpty()) << c.x << "e" << c.k;
        EXPECT_EQ(errorFlag, -1);
        ASSERT_EQ(port.messages.size(), 1u) << c.x << "e" << c.k;
        if (c.message != nullptr) {
            EXPECT_EQ(port.messages[0].first, c.message);
        }
    }
    resetCoreForTest(40);
    RecordingPort port;
    EXPECT_TRUE(myEvaluate("1e2.7", 40).isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first, notInteger);
    EXPECT_EQ(port.messages[0].second, MessageStyle::Plain);
}

// The operators and function words bound to these routines.
TEST_F(Constants, ThroughTheEvaluator)
{
    const mpfr_prec_t bits = bitsForDigits(100);
    Mpfr pi(bits);
    mpfr_const_pi(pi, MPFR_RNDZ);
    Mpfr e(bits);
    mpfr_set_ui(e, 1, MPFR_RNDN);
    mpfr_exp(e, e, MPFR_RNDZ);
    struct Case {
        const char* expression;
        std::string want;
    };
    const Case cases[] = {
        {"π", canonicalTruncated(pi, 44)}, {"natural", canonicalTruncated(e, 44)},
        {"1.5e3", "1.5e3"},                {"2e-3", "2e-3"},
        {"1e-0", "1e0"},                   {"int(-2.7)", "-2e0"},
        {"frac(2.7)", "7e-1"},             {"1/8", "1.25e-1"},
    };
    for (const Case& c : cases) {
        resetCoreForTest();
        EXPECT_EQ(canonicalOf(myEvaluate(c.expression, 40)), c.want) << c.expression;
        EXPECT_EQ(errorFlag, 0) << c.expression;
    }

    Mpfr want(bits);
    resetCoreForTest();
    EXPECT_TRUE(closeTo(myEvaluate("180°", 40), pi, 42));
    resetCoreForTest();
    mpfr_mul_ui(want, pi, 121, MPFR_RNDN);
    mpfr_div_ui(want, want, 720, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myEvaluate("30°15′", 40), want, 42));
    resetCoreForTest();
    mpfr_set_str(want, "3.14159", 10, MPFR_RNDN);
    mpfr_mul_ui(want, want, 180, MPFR_RNDN);
    mpfr_div(want, want, pi, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myEvaluate("angle(3.14159)", 40), want, 42));
    resetCoreForTest();
    mpfr_set_ui(want, 30, MPFR_RNDN);
    mpfr_mul(want, want, pi, MPFR_RNDN);
    mpfr_div_ui(want, want, 180, MPFR_RNDN);
    EXPECT_TRUE(closeTo(myEvaluate("radian(390)", 40), want, 42));
}

TEST_F(Constants, NothingHappensAfterAnError)
{
    errorFlag = -1;
    RecordingPort port;
    EXPECT_TRUE(myPi().isEmpty());
    EXPECT_TRUE(myE().isEmpty());
    EXPECT_TRUE(myInt(bigTwo).isEmpty());
    EXPECT_TRUE(myFrac(bigTwo).isEmpty());
    EXPECT_TRUE(myRadian(bigTwo).isEmpty());
    EXPECT_TRUE(myAngle(bigTwo).isEmpty());
    EXPECT_TRUE(mySetExponent(bigTwo, bigTwo).isEmpty());
    EXPECT_TRUE(port.messages.empty());
}

} // namespace
