// Factorials, double factorials and the exact small factorials against GMP's
// exact values, the limits and messages, and the timing report.
#include <gmp.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"

namespace {

class Factorial : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

// An exact integer from GMP (n! or n!!), kept once per n across the cases.
class ExactInteger {
public:
    explicit ExactInteger(void (*f)(mpz_ptr, unsigned long), unsigned long n)
    {
        mpz_init(value_);
        f(value_, n);
    }
    ~ExactInteger() { mpz_clear(value_); }
    ExactInteger(const ExactInteger&) = delete;
    ExactInteger& operator=(const ExactInteger&) = delete;

    // "D.DDDe<exp>" with every digit.
    std::string canonical() const
    {
        std::vector<char> text(mpz_sizeinbase(value_, 10) + 2);
        mpz_get_str(text.data(), 10, value_);
        std::string d(text.data());
        const long lead = static_cast<long>(d.size()) - 1;
        while (d.size() > 1 && d.back() == '0')
            d.pop_back();
        return d.substr(0, 1) + (d.size() > 1 ? "." + d.substr(1) : "") + "e" + std::to_string(lead);
    }

    std::string display(int32_t shown) const
    {
        Mpfr x(static_cast<mpfr_prec_t>(mpz_sizeinbase(value_, 2) + 64));
        mpfr_set_z(x, value_, MPFR_RNDN); // exact with these bits
        return referenceDisplay(x, shown);
    }

private:
    mpz_t value_;
};

void factorialOf(mpz_ptr r, unsigned long n) { mpz_fac_ui(r, n); }
void doubleFactorialOf(mpz_ptr r, unsigned long n) { mpz_2fac_ui(r, n); }

BigNum number(long n) { return bigFromDecimal(std::to_string(n)); }

// n values around every switch of the routine: the table blocks, the direct
// product, the packing of small factors, the flushes of the accumulator.
std::vector<long> interestingArguments()
{
    std::vector<long> ns;
    for (long n = 0; n <= 120; ++n)
        ns.push_back(n);
    for (long n : {149L, 150L, 199L, 200L, 201L, 314L, 315L, 316L, 999L, 1000L, 4321L, 9900L, 9999L, 10000L, 10001L,
                   10099L, 10100L, 12345L, 25000L, 39999L, 40000L})
        ns.push_back(n);
    std::mt19937_64 rng(7);
    for (int i = 0; i < 12; ++i)
        ns.push_back(static_cast<long>(rng() % 40001));
    return ns;
}

TEST_F(Factorial, AgreesWithGmpOnTheDisplayAtEveryPrecision)
{
    std::map<long, std::unique_ptr<ExactInteger>> exact;
    const std::vector<long> ns = interestingArguments();
    for (long n : ns)
        exact.emplace(n, std::make_unique<ExactInteger>(factorialOf, static_cast<unsigned long>(n)));
    for (int32_t box : {1, 32, 50, 500, 2000}) {
        const int32_t p = workPrecisionForBox(box);
        const int32_t shown = p - kHiddenDigits;
        for (long n : ns) {
            SCOPED_TRACE("box " + std::to_string(box) + ": " + std::to_string(n) + "!");
            resetCoreForTest(p);
            const BigNum f = myFact(number(n));
            ASSERT_EQ(errorFlag, 0);
            EXPECT_TRUE(displaysWithinOneUnit(myNumToStr(f), exact.at(n)->display(shown), shown));
        }
    }
}

// While n! has no more digits than the precision keeps, nothing is cut: the
// table blocks, the direct product and the product tree give every digit.
TEST_F(Factorial, ShortFactorialsAreExact)
{
    struct Case {
        int32_t box;
        long n;
    };
    const Case cases[] = {{32, 20}, {32, 25}, {500, 100}, {500, 150}, {500, 199}, {2000, 200}, {2000, 300},
                          {2000, 555}, {2000, 700}, {2000, 800}, {10000, 3200}, {10000, 3250}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + "!");
        resetCoreForTest(workPrecisionForBox(c.box));
        const ExactInteger want(factorialOf, static_cast<unsigned long>(c.n));
        EXPECT_EQ(canonicalOf(myFact(number(c.n))), want.canonical());
    }
}

TEST_F(Factorial, TenThousandDigits)
{
    const int32_t p = workPrecisionForBox(10000);
    for (long n : {10000L, 40000L}) {
        SCOPED_TRACE(std::to_string(n) + "!");
        resetCoreForTest(p);
        const ExactInteger want(factorialOf, static_cast<unsigned long>(n));
        const BigNum f = myFact(number(n));
        ASSERT_EQ(errorFlag, 0);
        EXPECT_TRUE(displaysWithinOneUnit(myNumToStr(f), want.display(p - kHiddenDigits), p - kHiddenDigits));
    }
}

TEST_F(Factorial, ExactFactorialIgnoresThePrecision)
{
    resetCoreForTest(workPrecisionForBox(1));
    for (long n : {0L, 1L, 2L, 7L, 20L, 21L, 100L, 300L, 1000L, 2500L}) {
        SCOPED_TRACE(std::to_string(n) + "! exactly");
        const ExactInteger want(factorialOf, static_cast<unsigned long>(n));
        const BigNum f = myFullFact(number(n));
        EXPECT_EQ(canonicalOf(f), want.canonical());
    }
    // The series pass the count with nine digits a limb.
    EXPECT_EQ(canonicalOf(myFullFact(makeSmallConstant(kTrue, 9, 9, 20, 0))), "2.43290200817664e18");
    EXPECT_EQ(errorFlag, 0);
}

TEST_F(Factorial, DoubleFactorialsAgreeWithGmp)
{
    const long ns[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 99, 100, 315, 316, 1001, 5000, 39999, 40000};
    for (int32_t box : {32, 500, 2000}) {
        const int32_t p = workPrecisionForBox(box);
        for (long n : ns) {
            SCOPED_TRACE("box " + std::to_string(box) + ": " + std::to_string(n) + "!!");
            resetCoreForTest(p);
            const ExactInteger want(doubleFactorialOf, static_cast<unsigned long>(n));
            const BigNum f = myDoubleFact(number(n));
            ASSERT_EQ(errorFlag, 0);
            EXPECT_TRUE(displaysWithinOneUnit(myNumToStr(f), want.display(p - kHiddenDigits), p - kHiddenDigits));
        }
    }
    resetCoreForTest(workPrecisionForBox(2000));
    for (long n : {5L, 6L, 301L, 1000L}) {
        const ExactInteger want(doubleFactorialOf, static_cast<unsigned long>(n));
        EXPECT_EQ(canonicalOf(myDoubleFact(number(n))), want.canonical()) << n << "!!";
    }
}

// A product arrives in scientific form; 4e1 is forty.
TEST_F(Factorial, ArgumentsInScientificForm)
{
    const std::string forty = canonicalOf(myFact(number(40)));
    EXPECT_EQ(canonicalOf(myFact(myMul(number(20), number(2)))), forty);
    EXPECT_EQ(canonicalOf(myFact(bigFromDecimal("4e1"))), forty);
    EXPECT_EQ(canonicalOf(myFact(bigFromDecimal("400e-1"))), forty);
    EXPECT_EQ(canonicalOf(myFact(bigTwo)), "2e0"); // four digits a limb
    EXPECT_EQ(errorFlag, 0);
}

TEST_F(Factorial, RefusedArguments)
{
    struct Case {
        BigNum (*routine)(const BigNum&);
        std::string argument;
        std::string message;
    };
    const std::string tooLarge = "只支持40000以下阶乘";
    const Case cases[] = {
        {myFact, "-3", "(预制阶乘表，硬算加分治阶乘子程序)的输入值不能为负数"},
        {myFact, "-2.5", "(预制阶乘表，硬算加分治阶乘子程序)的输入值不能为负数"},
        {myFact, "2.5", "阶乘的输入值不能为小数"},
        {myFact, "1e-2000000000", "阶乘的输入值不能为小数"},
        {myFact, "40000.5", "阶乘的输入值不能为小数"},
        {myFact, "40001", tooLarge},
        {myFact, "4294967297", tooLarge}, // 2^32 + 1: must not wrap to 1
        {myFact, "1e2000000000", tooLarge},
        {myFact, "123456789012345678901234567890", tooLarge},
        {myDoubleFact, "-3", "硬算双阶乘的输入值不能为负数"},
        {myDoubleFact, "-0.5", "硬算双阶乘的输入值不能为负数"},
        {myDoubleFact, "40001", tooLarge},
        {myDoubleFact, "5.5", kFractionalFactorialMessage},
        {myDoubleFact, "0.5", kFractionalFactorialMessage},
        {myDoubleFact, "1e-2000000000", kFractionalFactorialMessage},
        {myDoubleFact, "40001.5", kFractionalFactorialMessage},
        {myDoubleFact, "4294967297", tooLarge},
        {myDoubleFact, "1e2000000000", tooLarge},
        {myFullFact, "-1", "全精度阶乘的输入值不能为负数"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        resetCoreForTest();
        RecordingPort port;
        ASSERT_TRUE(refusedWith(c.routine(bigFromDecimal(c.argument)), port, c.message));
        // Later calls of the same evaluation do nothing and say nothing.
        EXPECT_TRUE(c.routine(number(5)).isEmpty());
        EXPECT_EQ(port.messages.size(), 1u);
    }
}

bool endsWithSeconds(const std::string& text)
{
    const std::string suffix = " 秒";
    return text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST_F(Factorial, TimingReportsOnceAndGivesTheSwitchBack)
{
    RecordingPort port;
    subFunctionTest = kTrue;
    EXPECT_FALSE(myFact(number(1000)).isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(endsWithSeconds(port.messages[0].first)) << port.messages[0].first;
    EXPECT_EQ(port.messages[0].second, MessageStyle::Plain);
    EXPECT_EQ(subFunctionTest, kTrue);

    // 0! and 1! need no computation: no report, the switch still on.
    port.messages.clear();
    myFact(number(0));
    myFact(number(1));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(subFunctionTest, kTrue);

    // Inside a routine that times itself (the switch taken), nothing.
    subFunctionTest = kFalse;
    myFact(number(1000));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(subFunctionTest, kFalse);

    // An argument above the limit: its message only, the switch back on.
    subFunctionTest = kTrue;
    EXPECT_TRUE(myFact(number(40001)).isEmpty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].first, "只支持40000以下阶乘");
    EXPECT_EQ(subFunctionTest, kTrue);
}

} // namespace
