// Sums, differences and comparisons against an exact decimal reference (GMP
// integers scaled by powers of ten): the exact result truncated to
// workPrecision + 4 significant digits.
#include <gtest/gtest.h>

#include "bignum/globals.h"
#include "tests/support/reference.h"

namespace {

class AddSub : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

enum class Op { Add, Sub };

std::string expected(const std::string& a, const std::string& b, Op op, int32_t keep)
{
    const ExactDecimal x(a), y(b);
    return (op == Op::Add ? x + y : x - y).truncated(keep);
}

TEST_F(AddSub, RandomOperandsAgreeWithExactReference)
{
    std::mt19937_64 rng(2024);
    for (int round = 0; round < 400; ++round) {
        const int32_t lengths[] = {1, 2, 5, 30, 300, 3000, 10000};
        const int32_t la = lengths[rng() % 7] - static_cast<int32_t>(rng() % 2);
        const int32_t lb = lengths[rng() % 7];
        const int32_t maxExp = round % 3 == 0 ? 20 : 2000;
        // Every other round: operands of nearly the same magnitude with runs
        // of 9s and 0s where the sum is cut, so carries ripple through them.
        const bool runs = round % 2 == 1;
        const auto longer = static_cast<uint64_t>(std::max(la, lb));
        workPrecision = 1 + static_cast<int32_t>(runs ? rng() % std::min<uint64_t>(longer, 10008) : rng() % 10008);
        const int32_t cut = workPrecision + kGuardDigits;
        const std::string a = runs ? randomDecimalWithRunAt(rng, std::max(la, 1), 1, cut)
                                   : randomDecimal(rng, std::max(la, 1), maxExp);
        const std::string b = runs ? randomDecimalWithRunAt(rng, lb, 1, cut) : randomDecimal(rng, lb, maxExp);
        const Op op = rng() % 2 ? Op::Add : Op::Sub;
        const BigNum r = op == Op::Add ? myAdd(bigFromDecimal(a), bigFromDecimal(b))
                                       : mySub(bigFromDecimal(a), bigFromDecimal(b));
        ASSERT_EQ(errorFlag, 0);
        ASSERT_EQ(canonicalOf(r), expected(a, b, op, workPrecision + kGuardDigits))
            << (op == Op::Add ? "add " : "sub ") << a.substr(0, 40) << " " << b.substr(0, 40)
            << " wp=" << workPrecision;
    }
}

// A tiny operand far below the kept digits still decides the truncation of a
// difference (1 - 1e-5000 is 0.999...), and costs no more than the digits kept.
TEST_F(AddSub, ExponentGapsBeyondTheKeptDigits)
{
    const char* cases[][2] = {
        {"1", "1e-5000"},        {"1", "-1e-5000"},       {"1e5000", "-1"},
        {"1.5e-30", "-1e-90000"}, {"-7e900", "3e-900"},   {"1.0000000000000000000000000001", "-1e-40"},
        {"1e-3000", "1e3000"},
    };
    workPrecision = 20;
    for (const auto& c : cases) {
        for (Op op : {Op::Add, Op::Sub}) {
            const BigNum r = op == Op::Add ? myAdd(bigFromDecimal(c[0]), bigFromDecimal(c[1]))
                                           : mySub(bigFromDecimal(c[0]), bigFromDecimal(c[1]));
            ASSERT_EQ(canonicalOf(r), expected(c[0], c[1], op, 24)) << c[0] << (op == Op::Add ? " + " : " - ") << c[1];
            EXPECT_LT(r.limbCount, 30);
        }
    }
    // Gaps too wide for any reference that writes the zeros out.
    struct Far {
        const char* a;
        const char* b;
        const char* sum;
        const char* difference;
    };
    const Far far[] = {
        {"123456789", "1e-1999999999", "1.23456789e8", "1.23456788999999999999999e8"},
        {"-5e1999999999", "3e-1999999999", "-4.99999999999999999999999e1999999999", "-5e1999999999"},
    };
    for (const Far& c : far) {
        EXPECT_EQ(canonicalOf(myAdd(bigFromDecimal(c.a), bigFromDecimal(c.b))), c.sum);
        EXPECT_EQ(canonicalOf(mySub(bigFromDecimal(c.a), bigFromDecimal(c.b))), c.difference);
    }
}

// Differences whose leading digits cancel: by one place (the result starts
// below the first digits that differ) and by many (1.000..01 - 0.999..9),
// next to digits far below the cut that decide the borrow into it.
TEST_F(AddSub, LeadingDigitsThatCancel)
{
    const std::string zeros(40, '0');
    const std::string nines(40, '9');
    const std::string cases[][2] = {
        {"1", "0." + nines},
        {"1." + zeros + "1", "0." + nines},
        {"1." + zeros + "1", "0." + nines + "8"},
        {"2", "1." + nines + "95"},
        {"1e5", "99999." + nines},
        {"1.2", "1.1" + nines + "7"},
        {"1.2" + zeros + "3", "1.1" + nines + "7"},
        {"-3.0" + zeros + "5e9", "-2.9" + nines + "e9"},
        {"7.3" + zeros + zeros + "1", "7.2" + nines + "9" + zeros + "2"},
    };
    for (const int32_t precision : {1, 20, 60, 200}) {
        workPrecision = precision;
        for (const auto& c : cases)
            for (Op op : {Op::Sub, Op::Add}) {
                const BigNum a = bigFromDecimal(c[0]);
                const BigNum b = bigFromDecimal(c[1]);
                const BigNum r = op == Op::Add ? myAdd(a, b) : mySub(a, b);
                ASSERT_EQ(canonicalOf(r), expected(c[0], c[1], op, precision + kGuardDigits))
                    << c[0] << (op == Op::Add ? " + " : " - ") << c[1] << " wp=" << precision;
            }
    }
}

TEST_F(AddSub, ShortcutsAndSigns)
{
    workPrecision = 20;
    struct Case {
        const char* a;
        const char* b;
        const char* sum;
        const char* difference;
    };
    const Case cases[] = {
        {"0", "-5", "-5e0", "5e0"},
        {"9.99", "0.01", "1e1", "9.98e0"},
        {"5", "5", "1e1", "0"},
        {"-2.5", "-2.5", "-5e0", "0"},
        {"3", "7", "1e1", "-4e0"},
        {"-3", "-7", "-1e1", "4e0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(canonicalOf(myAdd(myStrToNum(c.a), myStrToNum(c.b))), c.sum) << c.a << "+" << c.b;
        EXPECT_EQ(canonicalOf(mySub(myStrToNum(c.a), myStrToNum(c.b))), c.difference) << c.a << "-" << c.b;
    }
    // Equal operands give the shared zero with a true sign.
    const BigNum zero = mySub(myStrToNum("-2.5"), myStrToNum("-2.5"));
    EXPECT_TRUE(zero.isPositive());
    EXPECT_EQ(zero.digitsPerLimb, bigZero.digitsPerLimb);
    // Adding zero hands the other operand back uncut.
    const std::string longText(60, '7');
    EXPECT_EQ(myAdd(myStrToNum(longText), bigZero).limbCount, myStrToNum(longText).limbCount);
    // 1 + 10^-30 at 24 kept digits is 1.
    EXPECT_EQ(canonicalOf(myAdd(bigOne, bigFromDecimal("1e-30"))), "1e0");
}

TEST_F(AddSub, CompareByMagnitude)
{
    struct Case {
        const char* a;
        const char* b;
        int16_t want;
    };
    const Case cases[] = {
        {"-3", "2", 2}, {"2.50", "2.5", 0}, {"0.1", "0.10001", 1}, {"1e3", "999", 2},
        {"0", "-0", 0},  {"1e-9", "0", 2},   {"0.999", "1", 1},      {"12345e-2", "123.45", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(myCompareAbs(bigFromDecimal(c.a), bigFromDecimal(c.b)), c.want) << c.a << " vs " << c.b;
    // Any limb size compares by value.
    EXPECT_EQ(myCompareAbs(bigTen, myStrToNum("10")), 0);
    EXPECT_EQ(myCompareAbs(bigHalf, myStrToNum("0.5")), 0);
    EXPECT_EQ(myCompareAbs(bigZero, myStrToNum("0.0")), 0);
}

TEST_F(AddSub, ErrorFlagShortCircuits)
{
    errorFlag = -1;
    EXPECT_TRUE(myAdd(bigOne, bigTwo).isEmpty());
    EXPECT_TRUE(mySub(bigOne, bigTwo).isEmpty());
    EXPECT_EQ(myCompareAbs(bigOne, bigTwo), 0);
}

TEST_F(AddSub, ExponentOverflowIsReported)
{
    RecordingPort port;
    const BigNum r = myAdd(bigFromDecimal("9.99e2000000000"), bigFromDecimal("9e2000000000"));
    EXPECT_EQ(errorFlag, -1);
    EXPECT_TRUE(r.isEmpty());
    EXPECT_EQ(port.messages.size(), 1u);
}

} // namespace
