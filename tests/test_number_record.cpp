// Normalisation, regrouping, scientific form and the precision controls.
#include <gtest/gtest.h>

#include "bignum/globals.h"
#include "tests/support/reference.h"

namespace {

class NumberRecord : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

std::vector<int32_t> digitsOf(const BigNum& x)
{
    std::vector<int32_t> d;
    for (int32_t j = 1; j <= x.limbCount; ++j)
        d.push_back(x.limb(j));
    return d;
}

bool guardsAreZero(const BigNum& x)
{
    return x.limb(-1) == 0 && x.limb(0) == 0 && x.limb(x.limbCount + 1) == 0 && x.limb(x.limbCount + 2) == 0;
}

TEST_F(NumberRecord, NormalisationStripsZerosButKeepsOneLimbEachSide)
{
    struct Case {
        std::vector<int32_t> digits;
        int32_t frac;
        std::vector<int32_t> wantDigits;
        int32_t wantFrac;
    };
    const Case cases[] = {
        {{0, 0}, 1, {0, 0}, 1},                               // zero keeps both limbs
        {{0, 0, 0, 1, 2, 3, 4, 5, 0, 0}, 4, {1, 2, 3, 4, 5}, 2}, // 000123.4500
        {{0, 0, 5}, 0, {5}, 0},
        {{0, 0, 0, 5}, 3, {0, 0, 0, 5}, 3},                   // 0.005: the integer zero stays
        {{7, 0, 0, 0}, 3, {7, 0}, 1},
    };
    for (const Case& c : cases) {
        BigNum x = makeFromDigits(c.digits, c.frac, 0, true);
        x.limb(-1) = 3; // garbage in a guard must be cleared
        const BigNum y = qslqwl(x);
        EXPECT_EQ(digitsOf(y), c.wantDigits);
        EXPECT_EQ(y.fracDigits, c.wantFrac);
        EXPECT_TRUE(guardsAreZero(y));
    }
}

TEST_F(NumberRecord, ZeroLimbSizeIsReportedOnce)
{
    RecordingPort port;
    BigNum bad = makeFromDigits({1, 2}, 1, 0, true);
    bad.digitsPerLimb = 0;
    EXPECT_TRUE(qslqwl(bad).isEmpty());
    EXPECT_TRUE(qslqwl(bad).isEmpty());
    EXPECT_TRUE(myAdd(bigOne, bigTwo).isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first, "qslqwl函数的输入参数进制位为零");
    EXPECT_EQ(errorFlag, -1);
}

TEST_F(NumberRecord, PackingTwelvePointFiveToFourDigits)
{
    BigNum x = myStrToNum("12.5");
    myPack(x, 4);
    EXPECT_EQ(x.digitsPerLimb, 4);
    EXPECT_EQ(digitsOf(x), (std::vector<int32_t>{12, 5000}));
    EXPECT_EQ(x.fracDigits, 4);
    myUnpack(x, 4);
    EXPECT_EQ(canonicalOf(x), "1.25e1");
    EXPECT_EQ(x.fracDigits, 1);
}

// Every route between limb sizes keeps the value, for random digit strings
// with and without fractions, exponents and signs.
TEST_F(NumberRecord, RegroupingKeepsTheValueOnEveryRoute)
{
    std::mt19937_64 rng(11);
    const std::vector<std::vector<int16_t>> routes = {
        {4, 1}, {8, 1}, {9, 1}, {4, 8, 4, 1}, {9, 4, 1}, {4, 9, 1}, {8, 9, 8, 1}, {9, 8, 4, 1},
    };
    for (int round = 0; round < 200; ++round) {
        const std::string text = randomDecimal(rng, 1 + static_cast<int32_t>(rng() % 60), 0);
        const BigNum x = myStrToNum(text);
        for (const auto& route : routes) {
            BigNum y = x;
            for (int16_t size : route) {
                y = myRegroup(y, size);
                ASSERT_EQ(y.digitsPerLimb, size);
                ASSERT_EQ(y.fracDigits % size, 0);
                ASSERT_TRUE(guardsAreZero(y));
            }
            ASSERT_EQ(canonicalOf(y), canonicalOf(x)) << text;
        }
        BigNum z = x;
        myPack(z, 3);
        myUnpack(z, 3);
        ASSERT_EQ(canonicalOf(z), canonicalOf(x)) << text;
    }
}

TEST_F(NumberRecord, ScientificFormMovesThePointIntoTheExponent)
{
    struct Case {
        const char* text;
        std::vector<int32_t> digits;
        int32_t frac;
        int32_t exponent;
    };
    const Case cases[] = {
        {"0.05", {5, 0}, 1, -2},
        {"123.45", {1, 2, 3, 4, 5}, 4, 2},
        {"0", {0, 0}, 1, 0},
        {"7", {7, 0}, 1, 0},
        {"1000", {1, 0}, 1, 3},
    };
    for (const Case& c : cases) {
        const BigNum y = myToSci(myStrToNum(c.text));
        EXPECT_EQ(digitsOf(y), c.digits) << c.text;
        EXPECT_EQ(y.fracDigits, c.frac) << c.text;
        EXPECT_EQ(y.exponent, c.exponent) << c.text;
    }
}

TEST_F(NumberRecord, FromScientificWritesThePlainDigits)
{
    BigNum big = makeFromDigits({1, 5}, 1, 3, true);
    myFromSci(big);
    EXPECT_EQ(digitsOf(big), (std::vector<int32_t>{1, 5, 0, 0, 0}));
    EXPECT_EQ(big.fracDigits, 1);
    EXPECT_EQ(big.exponent, 0);

    BigNum small = makeFromDigits({1, 5}, 1, -3, true);
    myFromSci(small);
    EXPECT_EQ(digitsOf(small), (std::vector<int32_t>{0, 0, 0, 1, 5}));
    EXPECT_EQ(small.fracDigits, 4);
}

TEST_F(NumberRecord, TruncationChopsAndRoundingRoundsHalfUp)
{
    struct Case {
        const char* text;
        int32_t n;
        const char* truncated;
        const char* rounded;
    };
    const Case cases[] = {
        {"1.999", 2, "1.9e0", "2e0"},
        {"9.996", 3, "9.99e0", "1e1"},
        {"1.234", 3, "1.23e0", "1.23e0"},
        {"1.235", 3, "1.23e0", "1.24e0"},
        {"-1.235", 3, "-1.23e0", "-1.24e0"},
        {"99999", 1, "9e4", "1e5"},
        {"0.00012345", 4, "1.234e-4", "1.235e-4"},
        {"5", 10, "5e0", "5e0"},
    };
    for (const Case& c : cases) {
        const BigNum sci = myToSci(myStrToNum(c.text));
        EXPECT_EQ(canonicalOf(myTruncSig(myStrToNum(c.text), c.n)), c.truncated) << c.text;
        EXPECT_EQ(canonicalOf(myRoundSig(sci, c.n)), c.rounded) << c.text;
    }
    const BigNum rounded = myRoundSig(myToSci(myStrToNum("9.996")), 3);
    EXPECT_EQ(rounded.exponent, 1);
    EXPECT_EQ(digitsOf(rounded), (std::vector<int32_t>{1, 0}));
}

// Truncation to n digits against MPFR's round-toward-zero, on long values.
TEST_F(NumberRecord, TruncationAgreesWithMpfr)
{
    std::mt19937_64 rng(5);
    for (int round = 0; round < 300; ++round) {
        const int32_t digits = 1 + static_cast<int32_t>(rng() % 3000);
        const std::string text = randomDecimal(rng, digits, 50);
        const int32_t n = 1 + static_cast<int32_t>(rng() % (digits + 5));
        const Mpfr ref(text, bitsForDigits(digits));
        ASSERT_EQ(canonicalOf(myTruncSig(bigFromDecimal(text), n)), canonicalTruncated(ref, n)) << text << " n=" << n;
        ASSERT_EQ(canonicalOf(myRoundSig(myToSci(bigFromDecimal(text)), n)), canonicalRoundedHalfUp(ref, n))
            << text << " n=" << n;
    }
}

} // namespace
