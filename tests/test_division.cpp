// Quotients against MPFR: a / b with both operands exact, cut toward zero to
// workPrecision + 4 digits, on both sides of the long-division / Newton switch;
// divisors whose scaled prefix lands next to 10^8; exact quotients on the
// Newton path; the reciprocal seed; signs, zero, one and exponent limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "funcs/division.h"
#include "funcs/division_testing.h"
#include "bignum/globals.h"
#include "funcs/long_division.h"
#include "tests/support/reference.h"

namespace {

class Division : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

// trunc(a / b) to n significant digits, canonical text, from exact decimals.
std::string truncatedQuotient(const std::string& a, const std::string& b, int32_t n)
{
    return ExactDecimal::quotientTruncated(ExactDecimal(a), ExactDecimal(b), n);
}

// The digit string of an integer times k (k < 10).
std::string timesSmall(const std::string& digits, int k)
{
    std::string r(digits.size() + 1, '0');
    int carry = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        const int v = (digits[i] - '0') * k + carry;
        r[i + 1] = static_cast<char>('0' + v % 10);
        carry = v / 10;
    }
    r[0] = static_cast<char>('0' + carry);
    return r[0] == '0' ? r.substr(1) : r;
}

std::string randomDigits(std::mt19937_64& rng, int32_t count)
{
    std::string d(1, static_cast<char>('1' + rng() % 9));
    for (int32_t i = 1; i < count; ++i)
        d += static_cast<char>('0' + rng() % 10);
    return d;
}

int32_t between(std::mt19937_64& rng, int32_t lo, int32_t hi)
{
    return lo + static_cast<int32_t>(rng() % static_cast<uint64_t>(hi - lo + 1));
}

// Operand shapes: randomDecimal's (point anywhere, random exponent and sign),
// a plain-form value below one with many zeros after the point, or a value
// with runs of 9s and 0s at the digit where the quotient is cut.
enum class Shape { Random, PlainBelowOne, RunAtCut };

std::string operand(std::mt19937_64& rng, Shape shape, int32_t digits, int32_t maxExp, int32_t cut)
{
    if (shape == Shape::Random)
        return randomDecimal(rng, digits, maxExp);
    if (shape == Shape::RunAtCut)
        return randomDecimalWithRunAt(rng, digits, maxExp, cut);
    return std::string(rng() % 2 ? "-" : "") + "0." + std::string(static_cast<size_t>(between(rng, 0, 60)), '0') +
           randomDigits(rng, digits);
}

bool expectsReciprocal(const BigNum& b, int32_t p)
{
    return static_cast<int64_t>(b.digitsPerLimb) * b.limbCount * p >= kNewtonDivisionSwitch;
}

// The seed of 1/b holds the digits of trunc(1 / cut) for the divisor cut to
// 1040 digits: 260 quotient limbs, less the leading zeros of the first.
void expectSeedOf(const std::string& b, const std::string& cut)
{
    const BigNum seed = myEXCEOTds(bigFromDecimal(b));
    EXPECT_GE(seed.limbCount, kReciprocalSeedDigits - 7) << b;
    EXPECT_LE(seed.limbCount, kReciprocalSeedDigits) << b;
    EXPECT_EQ(canonicalOf(seed), truncatedQuotient("1", cut, seed.limbCount)) << b;
}

TEST_F(Division, RandomOperandsGiveTheExactQuotientCutTowardZero)
{
    struct Config {
        const char* what;
        int count;
        int32_t aMin, aMax, bMin, bMax; // significant digits
        int32_t pMin, pMax;             // workPrecision
        int32_t maxExp;
        Shape aShape, bShape;
        bool quotientGiven = false; // a = q * b exactly, q of shape aShape
    };
    const Config configs[] = {
        {"short operands", 300, 1, 40, 1, 40, 9, 60, 30, Shape::Random, Shape::Random},
        {"plain divisors below one", 150, 1, 60, 1, 60, 9, 200, 0, Shape::Random, Shape::PlainBelowOne},
        {"plain dividends below one", 100, 1, 200, 1, 30, 9, 300, 5, Shape::PlainBelowOne, Shape::Random},
        {"around the switch", 60, 50, 3000, 40, 700, 300, 3000, 400, Shape::Random, Shape::Random},
        {"long divisor, low precision", 20, 1, 12000, 2000, 10000, 9, 26, 50, Shape::Random, Shape::Random},
        {"Newton at high precision", 8, 2000, 10000, 27, 10000, 4000, 10008, 100, Shape::Random, Shape::Random},
        {"huge dividend", 4, 200000, 200000, 1, 9, 9, 40, 9, Shape::Random, Shape::Random},
        {"runs at the cut", 200, 1, 80, 1, 80, 9, 60, 3, Shape::RunAtCut, Shape::RunAtCut},
        {"exact quotients with runs at the cut", 300, 1, 90, 1, 40, 9, 60, 3, Shape::RunAtCut, Shape::Random, true},
        {"exact quotients with runs, reciprocal", 6, 1000, 1100, 300, 700, 900, 1000, 3, Shape::RunAtCut,
         Shape::Random, true},
    };
    std::mt19937_64 rng(20240601);
    const DivisionPathCounts before = divisionPathCounts();
    int64_t expectedReciprocal = 0;
    int64_t expectedLong = 0;
    for (const Config& c : configs)
        for (int i = 0; i < c.count; ++i) {
            workPrecision = between(rng, c.pMin, c.pMax);
            const int32_t cut = workPrecision + kGuardDigits;
            std::string a = operand(rng, c.aShape, between(rng, c.aMin, c.aMax), c.maxExp, cut);
            const std::string b = operand(rng, c.bShape, between(rng, c.bMin, c.bMax), c.maxExp, cut);
            if (c.quotientGiven)
                a = (ExactDecimal(a) * ExactDecimal(b)).truncated(0);
            const BigNum x = bigFromDecimal(a);
            const BigNum y = bigFromDecimal(b);
            (expectsReciprocal(y, workPrecision) ? expectedReciprocal : expectedLong) += 1;
            const BigNum q = myDiv(x, y);
            ASSERT_EQ(errorFlag, 0) << c.what;
            ASSERT_EQ(canonicalOf(q), truncatedQuotient(a, b, workPrecision + kGuardDigits))
                << c.what << ": " << a.substr(0, 60) << " / " << b.substr(0, 60) << " at " << workPrecision;
        }
    const DivisionPathCounts after = divisionPathCounts();
    EXPECT_EQ(static_cast<int64_t>(after.reciprocal - before.reciprocal), expectedReciprocal);
    EXPECT_EQ(static_cast<int64_t>(after.longDivision - before.longDivision), expectedLong);
    EXPECT_GT(expectedReciprocal, 20);
    EXPECT_GT(expectedLong, 500);
}

// n x p = 262143 divides by long division, 262144 by the reciprocal; both
// give the exact digits.
TEST_F(Division, MethodSwitchFallsAt262144)
{
    struct Case {
        int32_t storedDigits;
        int32_t precision;
        bool reciprocal;
    };
    const Case cases[] = {{63, 4161, false}, {64, 4096, true}, {219, 1197, false}, {128, 2048, true}};
    std::mt19937_64 rng(7);
    for (const Case& c : cases) {
        // An integer numeral is stored with one fraction digit: n - 1 digits.
        const std::string b = randomDigits(rng, c.storedDigits - 1);
        const std::string a = randomDigits(rng, 500) + "e-3";
        const BigNum y = bigFromDecimal(b);
        ASSERT_EQ(y.limbCount, c.storedDigits);
        workPrecision = c.precision;
        const DivisionPathCounts before = divisionPathCounts();
        const BigNum q = myDiv(bigFromDecimal(a), y);
        EXPECT_EQ(divisionPathCounts().reciprocal - before.reciprocal, c.reciprocal ? 1u : 0u);
        EXPECT_EQ(canonicalOf(q), truncatedQuotient(a, b, c.precision + kGuardDigits));
        EXPECT_EQ(workPrecision, c.precision);
    }
}

// Divisors whose first eight digits t times the multiplier land within 8 of
// 10^8: the digits after them can carry the scaled divisor into a ninth digit.
TEST_F(Division, DivisorsWithPrefixNextTo1e8)
{
    std::vector<std::string> prefixes;
    for (int32_t m = 2; m <= 9; ++m)
        for (int64_t t = (100000000 - 8 + m - 1) / m; t * m < 100000000; ++t)
            prefixes.push_back(std::to_string(t));
    ASSERT_GE(prefixes.size(), 14u);
    std::mt19937_64 rng(99);
    for (const std::string& t : prefixes)
        for (const char* tail : {"99999999999999999999", "9999", "5", ""}) {
            const std::string b = t.substr(0, 1) + "." + t.substr(1) + tail + "e" + std::to_string(between(rng, -5, 5));
            const std::string a = randomDecimal(rng, between(rng, 1, 40), 5);
            for (int32_t p : {20, 61}) {
                workPrecision = p;
                EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(a), bigFromDecimal(b))),
                          truncatedQuotient(a, b, p + kGuardDigits))
                    << a << " / " << b;
            }
            workPrecision = 40;
            expectSeedOf(b, b);
        }
}

// For every eight-digit prefix the scaled divisor stays below 10^8 even with
// the largest carry from the digits after it (m - 1), and its first limb
// stays at 5000 or more.
TEST_F(Division, MultiplierKeepsEveryScaledPrefixInRange)
{
    int64_t failures = 0;
    for (int32_t t = 10000000; t < 100000000; ++t) {
        const int64_t m = normalisationMultiplier(t);
        const int64_t low = t * m;
        const int64_t high = low + m - 1;
        if (m < 1 || m > 9 || high >= 100000000 || low < 50000000)
            ++failures;
    }
    EXPECT_EQ(failures, 0);
}

// Quotients that are short decimals come out exact on the Newton path too,
// although x ~ 1/b lies a hair off: 7b / b = 7, b / b = 1, and the cut
// two thirds over the cut third is exactly 2.
TEST_F(Division, ExactQuotientsOnTheReciprocalPath)
{
    std::mt19937_64 rng(5);
    workPrecision = 3000;
    const std::string digits = randomDigits(rng, 2500);
    const std::string b = digits + "e-1234";
    const std::string sevenB = timesSmall(digits, 7) + "e-1234";

    const DivisionPathCounts before = divisionPathCounts();
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(sevenB), bigFromDecimal(b))), "7e0");
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(b), bigFromDecimal(b))), "1e0");
    const BigNum third = myDiv(bigOne, bigThree);
    const BigNum twoThirds = myDiv(bigTwo, bigThree);
    EXPECT_EQ(canonicalOf(myDiv(twoThirds, third)), "2e0");
    EXPECT_EQ(divisionPathCounts().reciprocal - before.reciprocal, 3u);
    EXPECT_GE(divisionPathCounts().exactChecks - before.exactChecks, 3u);
}

// 1/3 and 2/3 to p + 4 digits, all 3s and all 6s (cut, not rounded), by long
// division and, with a divisor stored with many digits, by the reciprocal.
TEST_F(Division, ThirdsAreCutNotRounded)
{
    const std::string zeros(40, '0');
    for (int32_t p : {9, 40, 1000, 10008}) {
        workPrecision = p;
        const std::string threes(static_cast<size_t>(p + 3), '3');
        const std::string sixes(static_cast<size_t>(p + 3), '6');
        EXPECT_EQ(canonicalOf(myDiv(bigOne, bigThree)), "3." + threes + "e-1");
        EXPECT_EQ(canonicalOf(myDiv(bigTwo, bigThree)), "6." + sixes + "e-1");
        const DivisionPathCounts before = divisionPathCounts();
        const BigNum q = myDiv(bigFromDecimal("2" + zeros), bigFromDecimal("3" + zeros));
        EXPECT_EQ(canonicalOf(q), "6." + sixes + "e-1");
        EXPECT_EQ(divisionPathCounts().reciprocal - before.reciprocal, 42 * p >= 262144 ? 1u : 0u);
    }
}

TEST_F(Division, SignsZeroAndUnitDivisors)
{
    struct Case {
        const char* a;
        const char* b;
        const char* want;
    };
    const Case cases[] = {
        {"-6", "3", "-2e0"},   {"6", "-3", "-2e0"},     {"-6", "-3", "2e0"},   {"6", "3", "2e0"},
        {"0", "7", "0"},       {"0", "-0.5", "0"},      {"0.5", "0.25", "2e0"}, {"1", "8", "1.25e-1"},
    };
    workPrecision = 40;
    for (const Case& c : cases)
        EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(c.a), bigFromDecimal(c.b))), c.want) << c.a << " / " << c.b;
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal("-1"), bigFromDecimal("0.0003"))), "-3." + std::string(43, '3') + "e3");

    // x / 1 and x / -1 hand x back exactly, digits beyond the precision included.
    const std::string x = "-123456789012345678901234567890123456789012345678901234567890.5e7";
    workPrecision = 10;
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(x), bigOne)), canonicalOfDecimal(x, 0));
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(x), bigMinusOne)), canonicalOfDecimal(x.substr(1), 0));
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal(x), bigFromDecimal("-1.000"))), canonicalOfDecimal(x.substr(1), 0));
}

TEST_F(Division, ZeroDivisorIsReportedOnceAndStopsTheEvaluation)
{
    RecordingPort port;
    const BigNum r = myDiv(bigFromDecimal("5"), bigFromDecimal("0.000"));
    EXPECT_EQ(errorFlag, -1);
    EXPECT_EQ(canonicalOf(r), "1e0"); // bigOne, with the flag set
    EXPECT_TRUE(myDiv(bigTwo, bigThree).isEmpty());
    EXPECT_TRUE(myDiv(bigTwo, bigZero).isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first, "除法子程序中除数为零");
    EXPECT_EQ(port.messages[0].second, MessageStyle::Warning);
}

// Quotients whose exponent leaves the range are reported, not wrapped.
TEST_F(Division, ExponentsNearTheLimits)
{
    workPrecision = 40;
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal("3e1999999999"), bigFromDecimal("1.5e1999999999"))), "2e0");
    EXPECT_EQ(canonicalOf(myDiv(bigFromDecimal("1e-1999999999"), bigFromDecimal("4e-1"))), "2.5e-1999999999");
    struct Case {
        const char* a;
        const char* b;
    };
    for (const Case& c : {Case{"1e1999999999", "1e-1999999999"}, Case{"1e-1999999999", "1e1999999999"},
                          Case{"7e1999999999", "3e-5"}}) {
        resetCoreForTest(40);
        RecordingPort port;
        EXPECT_TRUE(myDiv(bigFromDecimal(c.a), bigFromDecimal(c.b)).isEmpty()) << c.a << " / " << c.b;
        EXPECT_EQ(errorFlag, -1);
        EXPECT_EQ(port.messages.size(), 1u);
    }
}

// The seed is formed on binary integers; it must be the record the long
// division of 1 by the divisor's first 1040 digits gives, digit for digit,
// whatever the divisor's length, digits and exponent.
TEST_F(Division, ReciprocalSeedIsTheLongDivisionSeed)
{
    std::mt19937_64 rng(11);
    std::vector<std::string> divisors = {"1", "7", "-0.3", "9.99999999e5", "1e-300", "5.0000000000001"};
    for (const int32_t n : {2, 9, 250, 1039, 1040, 1041, 4000}) {
        divisors.push_back(randomDigits(rng, 1).replace(0, 1, "3") + "." + randomDigits(rng, n - 1) + "e" +
                           std::to_string(between(rng, -50, 50)));
        divisors.push_back("9." + std::string(static_cast<size_t>(n - 1), '9') + "e-7");
        divisors.push_back("1." + std::string(static_cast<size_t>(n - 2), '0') + "1e3");
    }
    static const int32_t one = 1;
    const DigitSpan unit{&one, 1, 0};
    for (const std::string& b : divisors) {
        const BigNum x = bigFromDecimal(b);
        BigNum holder;
        DigitSpan sb = digitSpanOf(x, holder);
        sb.count = std::min(sb.count, kReciprocalSeedDigits);
        const BigNum viaLongDivision =
            longDivide(unit, sb, kReciprocalSeedDigits / 4, x.isPositive(), kReciprocalSeedDigits);
        const BigNum seed = myEXCEOTds(x);
        EXPECT_EQ(seed.store, viaLongDivision.store) << b;
        EXPECT_EQ(seed.limbCount, viaLongDivision.limbCount) << b;
        EXPECT_EQ(seed.exponent, viaLongDivision.exponent) << b;
        EXPECT_EQ(seed.positive, viaLongDivision.positive) << b;
    }
}

TEST_F(Division, ReciprocalSeed)
{
    workPrecision = 40;
    const BigNum seventh = myEXCEOTds(bigFromDecimal("7"));
    std::string sevenths;
    while (sevenths.size() < static_cast<size_t>(seventh.limbCount))
        sevenths += "142857";
    sevenths.resize(static_cast<size_t>(seventh.limbCount));
    EXPECT_EQ(canonicalOf(seventh), "1." + sevenths.substr(1) + "e-1");
    const BigNum third = myEXCEOTds(bigFromDecimal("-0.3"));
    EXPECT_GE(third.limbCount, kReciprocalSeedDigits - 7);
    EXPECT_EQ(canonicalOf(third), "-3." + std::string(static_cast<size_t>(third.limbCount - 1), '3') + "e0");

    // A divisor longer than 1040 digits gives the reciprocal of its first 1040.
    std::mt19937_64 rng(3);
    for (int i = 0; i < 5; ++i) {
        const std::string digits = randomDigits(rng, 3000);
        const std::string b = digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(between(rng, -90, 90));
        const std::string cut = digits.substr(0, 1) + "." + digits.substr(1, 1039) + b.substr(b.find('e'));
        expectSeedOf(b, cut);
    }

    RecordingPort port;
    EXPECT_TRUE(myEXCEOTds(bigFromDecimal("0.0")).isEmpty());
    EXPECT_EQ(errorFlag, -1);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first, "myEXCEOTds除法子程序中除数为零");
    EXPECT_EQ(port.messages[0].second, MessageStyle::Warning);
}

// The Newton refinement reaches workPrecision + 4 digits from the seed and
// gives workPrecision back.
TEST_F(Division, NewtonRefinesTheSeed)
{
    std::mt19937_64 rng(11);
    // Precisions next to where the planned steps gain one (twice the seed's
    // digits less the margins) and the short exact seed of 1/1.6.
    for (int32_t p : {500, 1030, 2030, 2076, 5000, 10008}) {
        const std::string b = p == 1030 ? "1.6e7" : randomDecimal(rng, between(rng, 30, 12000), 20);
        workPrecision = p;
        const BigNum x = myRecipNewton(myEXCEOTds(bigFromDecimal(b)), bigFromDecimal(b));
        EXPECT_EQ(workPrecision, p);
        // |x * b - 1| < 10^-(p + 2): the refined digits are right but for the
        // cut of the last one.
        Mpfr xm(bitsForDigits(p + 10));
        mpfr_set_str(xm, (canonicalOf(x)).c_str(), 10, MPFR_RNDN);
        Mpfr bm(b, bitsForDigits(13000));
        Mpfr err(bitsForDigits(p + 20));
        mpfr_mul(err, xm, bm, MPFR_RNDN);
        mpfr_sub_ui(err, err, 1, MPFR_RNDN);
        mpfr_abs(err, err, MPFR_RNDN);
        if (!mpfr_zero_p(err)) {
            EXPECT_LT(mpfr_get_exp(err), -static_cast<long>((p + 2) * 3.3219)) << "p=" << p;
        }
    }
}

TEST_F(Division, NothingHappensAfterAnError)
{
    errorFlag = -1;
    RecordingPort port;
    EXPECT_TRUE(myDiv(bigTwo, bigThree).isEmpty());
    EXPECT_TRUE(myEXCEOTds(bigThree).isEmpty());
    EXPECT_TRUE(myRecipNewton(bigOne, bigThree).isEmpty());
    EXPECT_TRUE(port.messages.empty());
}

} // namespace
