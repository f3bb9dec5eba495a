// Square roots against MPFR, the parity of the exponent, roots whose digits
// are mostly zeros, the extremes of the exponent range, and the integer-root
// text contract.
#include <gtest/gtest.h>
#include <gmp.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/support/display_match.h"
#include "bignum/globals.h"
#include "funcs/gmp_integer.h"
#include "funcs/gmp_sqrt.h"
#include "tests/support/reference.h"
#include "funcs/square_root.h"

namespace {

class SquareRoot : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        widenMpfrExponentRange();
    }
};

// Canonical text of the digits d (leading digit nonzero) with the leading
// digit at 10^lead: "D.DDDe<lead>", trailing zeros dropped.
std::string canonicalOfDigits(std::string d, long lead)
{
    while (d.size() > 1 && d.back() == '0')
        d.pop_back();
    return d.substr(0, 1) + (d.size() > 1 ? "." + d.substr(1) : "") + "e" + std::to_string(lead);
}

// The root of the radicand cut to keep digits, itself cut to keep digits,
// exactly (GMP integer root): what the routine must return digit for digit.
std::string exactRootTruncated(const std::string& radicand, int32_t p)
{
    const size_t keep = static_cast<size_t>(p + kGuardDigits);
    const size_t e = radicand.find_first_of("eE");
    std::string mantissa = radicand.substr(0, e);
    long lead = e == std::string::npos ? 0 : std::stol(radicand.substr(e + 1));
    const size_t point = mantissa.find('.');
    lead += static_cast<long>(point == std::string::npos ? mantissa.size() : point) - 1;
    if (point != std::string::npos)
        mantissa.erase(point, 1);
    const size_t first = mantissa.find_first_not_of('0');
    lead -= static_cast<long>(first);
    std::string d = mantissa.substr(first, keep);
    // d * 10^q with q even and at least 2 keep + 4 digits, so that the root
    // has keep + 2 of them.
    long q = lead - static_cast<long>(d.size()) + 1;
    while (d.size() < 2 * keep + 4 || q % 2 != 0) {
        d += '0';
        --q;
    }
    mpz_t n;
    mpz_init_set_str(n, d.c_str(), 10);
    mpz_sqrt(n, n);
    std::vector<char> text(mpz_sizeinbase(n, 10) + 2);
    mpz_get_str(text.data(), 10, n);
    mpz_clear(n);
    const std::string root(text.data());
    return canonicalOfDigits(root.substr(0, keep), static_cast<long>(root.size()) - 1 + q / 2);
}

TEST_F(SquareRoot, DigitsAreTheTruncatedRootAtEveryPrecision)
{
    std::mt19937_64 rng(20240611);
    const std::vector<std::string> fixed = {"2", "4", "0.01", "0.1", "1e9", "1e10", "3", "99", "1.44", "12345.6789",
                                            "0.000000000000000000000000000000000000007", "7e-1999999999",
                                            "9.99e1999999998", "1e-1999999999", "5e1999999999"};
    for (int32_t box : {1, 32, 50, 500, 2000}) {
        const int32_t p = workPrecisionForBox(box);
        std::vector<std::string> radicands = fixed;
        for (int i = 0; i < 6; ++i) {
            std::string r = randomDecimal(rng, 1 + static_cast<int32_t>(rng() % (2 * p)), 9000);
            if (r[0] == '-')
                r.erase(0, 1);
            radicands.push_back(r);
        }
        for (const std::string& radicand : radicands) {
            SCOPED_TRACE("box " + std::to_string(box) + ": sqrt " + radicand);
            resetCoreForTest(p);
            const BigNum root = mySqrt(bigFromDecimal(radicand));
            ASSERT_EQ(errorFlag, 0);
            EXPECT_EQ(canonicalOf(root), exactRootTruncated(radicand, p));

            Mpfr x(radicand, bitsForDigits(p + 40));
            Mpfr reference(bitsForDigits(p + 40));
            mpfr_sqrt(reference, x, MPFR_RNDN);
            EXPECT_TRUE(displaysWithinOneUnit(myNumToStr(root), referenceDisplay(reference, p - kHiddenDigits),
                                              p - kHiddenDigits));
        }
    }
}

TEST_F(SquareRoot, TenThousandDigits)
{
    const int32_t p = workPrecisionForBox(10000);
    for (const std::string radicand : {"2", "0.5", "123456789.987654321e-777"}) {
        SCOPED_TRACE(radicand);
        resetCoreForTest(p);
        const BigNum root = mySqrt(bigFromDecimal(radicand));
        ASSERT_EQ(errorFlag, 0);
        EXPECT_EQ(canonicalOf(root), exactRootTruncated(radicand, p));
    }
}

// A root such as 1.000...0002 has a long run of zero digits; every one of the
// p + 4 digits must still be there.
TEST_F(SquareRoot, RootsWithLongRunsOfZerosKeepTheirLastDigits)
{
    for (int32_t box : {32, 500}) {
        const int32_t p = workPrecisionForBox(box);
        for (const std::string tail : {"4", "1", "9"}) {
            const std::string radicand = "1." + std::string(static_cast<size_t>(p + 1), '0') + tail;
            SCOPED_TRACE(radicand);
            resetCoreForTest(p);
            const BigNum root = mySqrt(bigFromDecimal(radicand));
            EXPECT_EQ(canonicalOf(root), exactRootTruncated(radicand, p));
        }
        // The square of 1 + 10^-k: its root is exact with a single 1 far out.
        const int32_t k = p / 2;
        const std::string radicand = "1." + std::string(static_cast<size_t>(k - 1), '0') + "2" +
                                     std::string(static_cast<size_t>(k - 1), '0') + "1";
        resetCoreForTest(p);
        EXPECT_EQ(canonicalOf(mySqrt(bigFromDecimal(radicand))),
                  "1." + std::string(static_cast<size_t>(k - 1), '0') + "1e0");
    }
}

TEST_F(SquareRoot, SpecialValuesAndTheNegativeRadicand)
{
    EXPECT_EQ(canonicalOf(mySqrt(bigFromDecimal("4"))), "2e0");
    EXPECT_EQ(canonicalOf(mySqrt(bigFromDecimal("0.01"))), "1e-1");
    EXPECT_EQ(canonicalOf(mySqrt(bigFromDecimal("1e10"))), "1e5");
    EXPECT_EQ(canonicalOf(mySqrt(bigTwo)), exactRootTruncated("2", workPrecision)); // four digits a limb
    EXPECT_TRUE(isZero(mySqrt(bigFromDecimal("0"))));
    EXPECT_TRUE(isZero(mySqrt(bigFromDecimal("-0"))));
    EXPECT_EQ(myCompareAbs(mySqrt(bigFromDecimal("1")), bigOne), 0);
    EXPECT_EQ(errorFlag, 0);

    RecordingPort port;
    const BigNum refused = mySqrt(bigFromDecimal("-4"));
    EXPECT_TRUE(mySqrt(bigFromDecimal("4")).isEmpty()); // the evaluation stays stopped
    EXPECT_TRUE(refusedWith(refused, port, "被开方数不能为负数"));
}

// The adapter replaces the text in place and leaves the bytes behind the
// root's terminator as they were.
TEST(GmpSquareRootText, ReplacesTheDigitsInPlace)
{
    struct Case {
        const char* radicand;
        const char* root;
    };
    const Case cases[] = {{"0", "0"}, {"1", "1"}, {"8", "2"}, {"99", "9"}, {"100", "10"},
                          {"2000000000000000000000000000000", "1414213562373095"}};
    for (const Case& c : cases) {
        std::vector<char> buffer(64, 'x');
        std::strcpy(buffer.data(), c.radicand);
        const size_t length = std::strlen(c.radicand);
        ASSERT_TRUE(gmpz_sqrt(buffer.data()));
        EXPECT_STREQ(buffer.data(), c.root);
        const size_t rootLength = std::strlen(c.root);
        for (size_t i = rootLength + 1; i <= length; ++i)
            EXPECT_EQ(buffer[i], c.radicand[i]) << c.radicand << " position " << i;
        EXPECT_EQ(buffer[length + 1], 'x');
    }
    char bad[] = "12a4";
    EXPECT_FALSE(gmpz_sqrt(bad));
    EXPECT_STREQ(bad, "12a4");
}

} // namespace

namespace {

// A chain of roots on binary integers gives, digit for digit, what the same
// number of mySqrt calls gives (each cutting its root), from 1 to 10,000
// digits, for radicands near one, below one, with odd and even exponents,
// and for the special values mySqrt settles itself.
// The digit readers of the root chains and the reciprocal seed against GMP's
// own text conversion: lengths around the sixteen-digit blocks and the switch
// to GMP's reader, leading zeros and runs of nines.
TEST(GmpDigits, RoundTripAgreesWithGmpText)
{
    std::mt19937_64 rng(29);
    for (const int32_t n : {1, 2, 15, 16, 17, 19, 20, 32, 33, 250, 1040, 2047, 2048, 2049, 5000}) {
        for (const char fill : {'r', '9', '0'}) {
            std::string text(static_cast<size_t>(n), fill);
            if (fill == 'r')
                for (char& c : text)
                    c = static_cast<char>('0' + rng() % 10);
            std::vector<int32_t> digits;
            for (const char c : text)
                digits.push_back(c - '0');
            GmpInteger ours, theirs;
            gmpFromDigits(ours.v, digits.data(), n);
            mpz_set_str(theirs.v, text.c_str(), 10);
            ASSERT_EQ(mpz_cmp(ours.v, theirs.v), 0) << n << " digits, " << fill;
            if (mpz_sgn(theirs.v) == 0) {
                EXPECT_EQ(digitsOfGmp(theirs.v), std::vector<int32_t>{0});
                continue;
            }
            const std::vector<int32_t> back = digitsOfGmp(theirs.v);
            std::string backText;
            for (const int32_t d : back)
                backText += static_cast<char>('0' + d);
            EXPECT_EQ(backText, text.substr(text.find_first_not_of('0'))) << n << " digits, " << fill;
        }
    }
}

TEST_F(SquareRoot, ChainMatchesRepeatedRoots)
{
    struct Case {
        const char* radicand;
        int32_t precision;
        int32_t count;
    };
    const Case cases[] = {
        {"2", 1, 5},         {"2", 2, 40},          {"10", 7, 160},           {"0.0123456789", 17, 20},
        {"7.5e-301", 33, 3}, {"1.0000001", 50, 65}, {"9.999999999999", 100, 160}, {"3.14159e77", 1000, 65},
        {"2", 4009, 135},    {"10", 10136, 160},    {"0.5", 10108, 240},      {"1", 100, 10},
        {"0", 100, 3},       {"-4", 100, 2},
    };
    RecordingPort port; // the negative radicand's message
    for (const Case& c : cases) {
        workPrecision = c.precision;
        errorFlag = 0;
        const BigNum x = bigFromDecimal(c.radicand);
        BigNum expected = x;
        for (int32_t i = 0; i < c.count && errorFlag == 0; ++i)
            expected = mySqrt(expected);
        const int16_t expectedFlag = errorFlag;
        errorFlag = 0;
        const BigNum chained = mySqrtChain(x, c.count);
        EXPECT_EQ(errorFlag, expectedFlag) << c.radicand;
        EXPECT_EQ(canonicalOf(chained), canonicalOf(expected))
            << c.radicand << " at " << c.precision << " digits, " << c.count << " roots";
    }
}

} // namespace
