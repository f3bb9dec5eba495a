// Products against MPFR: both operands cut toward zero to workPrecision + 4
// significant digits, multiplied exactly, and the product cut again. Also the
// trivial factors, the method switch, the FFT and schoolbook paths giving the
// same digits, and the fallback when libconvmul.so cannot be used.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "bignum/fft_binding.h"
#include "bignum/fft_binding_testing.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"

namespace {

// A decimal cut toward zero to n significant digits, held exactly as
// sign * digits * 10^scale with `digits` an integer text.
struct CutDecimal {
    bool negative = false;
    std::string digits; // "" for zero
    long scale = 0;
};

CutDecimal cutDecimal(const std::string& decimal, int32_t n)
{
    CutDecimal c;
    std::string m = decimal;
    const size_t e = m.find_first_of("eE");
    if (e != std::string::npos) {
        c.scale = std::stol(m.substr(e + 1));
        m.resize(e);
    }
    if (!m.empty() && m[0] == '-') {
        c.negative = true;
        m.erase(0, 1);
    }
    const size_t point = m.find('.');
    if (point != std::string::npos) {
        c.scale -= static_cast<long>(m.size() - point - 1);
        m.erase(point, 1);
    }
    m.erase(0, std::min(m.find_first_not_of('0'), m.size()));
    if (static_cast<int32_t>(m.size()) > n) {
        c.scale += static_cast<long>(m.size()) - n;
        m.resize(static_cast<size_t>(n));
    }
    c.digits = m;
    return c;
}

// trunc(trunc(a, n) * trunc(b, n), n) in canonical text, by MPFR on the exact
// integer mantissas (the precision holds their product without rounding).
std::string expectedProduct(const std::string& a, const std::string& b, int32_t n)
{
    const CutDecimal x = cutDecimal(a, n);
    const CutDecimal y = cutDecimal(b, n);
    if (x.digits.empty() || y.digits.empty())
        return "0";
    const mpfr_prec_t bx = bitsForDigits(static_cast<int64_t>(x.digits.size()));
    const mpfr_prec_t by = bitsForDigits(static_cast<int64_t>(y.digits.size()));
    Mpfr mx(x.digits, bx), my(y.digits, by), product(bx + by);
    EXPECT_EQ(mpfr_mul(product, mx, my, MPFR_RNDZ), 0) << "reference product not exact";
    if (x.negative != y.negative)
        mpfr_neg(product, product, MPFR_RNDZ);
    std::string t = canonicalTruncated(product, n);
    const size_t e = t.find('e');
    return t.substr(0, e + 1) + std::to_string(std::stol(t.substr(e + 1)) + x.scale + y.scale);
}

// A mantissa d.ddd...d of exactly n significant digits (first and last nonzero),
// so its digit count is known after the cut.
std::string mantissaOfDigits(std::mt19937_64& rng, int32_t n)
{
    std::string d(static_cast<size_t>(n), '0');
    for (auto& c : d)
        c = static_cast<char>('0' + rng() % 10);
    d.front() = static_cast<char>('1' + rng() % 9);
    d.back() = static_cast<char>('1' + rng() % 9);
    return n == 1 ? d : d.substr(0, 1) + "." + d.substr(1);
}

bool isScientific(const BigNum& r)
{
    return r.digitsPerLimb == 1 && r.fracDigits == r.limbCount - 1 && r.limb(1) != 0 && r.limb(0) == 0 &&
           r.limb(r.limbCount + 1) == 0;
}

bool magnitudeIsOne(const std::string& decimal)
{
    const std::string exact = canonicalOfDecimal(decimal, 0);
    return exact == "1e0" || exact == "-1e0";
}

// Runs `body` with the binding pointed at `path` and returns what it printed
// on stderr; the normal binding is restored afterwards.
template <typename Body>
std::string withLibraryAt(const std::string& path, Body body)
{
    resetConvmulBindingForTest(path);
    ::testing::internal::CaptureStderr();
    body();
    const std::string printed = ::testing::internal::GetCapturedStderr();
    resetConvmulBindingForTest();
    return printed;
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

const char* const kMissingLibrary = "/nonexistent-quorra-dir/libconvmul.so";
// What the binding prints when it gives up on the library.
const char* const kFallbackNotice = "长数乘法改用普通算法";

class Multiply : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        forceSchoolbookForTest(false);
    }
    void TearDown() override
    {
        forceSchoolbookForTest(false);
        ignoreFastEntryForTest(false);
    }
};

TEST_F(Multiply, RandomOperandsAgreeWithMpfr)
{
    std::mt19937_64 rng(31337);
    const int32_t lengths[] = {1, 2, 3, 9, 40, 120, 255, 256, 300, 1000, 2049, 3000, 4100, 10000};
    const int32_t precisions[] = {1, 8, 20, 40, 100, 252, 300, 1000, 4000, 10008};
    for (int round = 0; round < 300; ++round) {
        const int32_t la = lengths[rng() % std::size(lengths)] - static_cast<int32_t>(rng() % 2);
        const int32_t lb = lengths[rng() % std::size(lengths)];
        // Every other round: runs of 9s and 0s at the digit where the
        // factors are cut.
        const bool runs = round % 2 == 1;
        const auto longer = static_cast<uint64_t>(std::max(la, lb));
        workPrecision = runs ? 1 + static_cast<int32_t>(rng() % std::min<uint64_t>(longer, 10008))
                             : precisions[rng() % std::size(precisions)];
        const int32_t cut = workPrecision + kGuardDigits;
        const std::string a = runs ? randomDecimalWithRunAt(rng, std::max(la, 1), 60, cut)
                                   : randomDecimal(rng, std::max(la, 1), round % 4 == 0 ? 3000 : 60);
        const std::string b = runs ? randomDecimalWithRunAt(rng, lb, 60, cut) : randomDecimal(rng, lb, 60);
        if (magnitudeIsOne(a) || magnitudeIsOne(b))
            continue; // returned uncut: covered by TrivialFactors
        const BigNum r = myMul(bigFromDecimal(a), bigFromDecimal(b));
        ASSERT_EQ(errorFlag, 0);
        ASSERT_EQ(canonicalOf(r), expectedProduct(a, b, workPrecision + kGuardDigits))
            << a.substr(0, 30) << "... (" << la << ") * " << b.substr(0, 30) << "... (" << lb
            << ") wp=" << workPrecision;
        EXPECT_TRUE(isScientific(r));
    }
}

// The products the Newton reciprocal forms at 16,384 digits: 5,462 limbs of
// 999 each, whose FFT column sums no longer fit 32 bits.
TEST_F(Multiply, AllNinesAtNewtonPrecision)
{
    workPrecision = 16380;
    const std::string nines = "9." + std::string(16383, '9');
    const std::string shorter = "-9." + std::string(12000, '9') + "e-7";
    for (const auto& [a, b] : {std::pair{nines, nines}, std::pair{nines, shorter}}) {
        const BigNum r = myMul(bigFromDecimal(a), bigFromDecimal(b));
        EXPECT_EQ(canonicalOf(r), expectedProduct(a, b, workPrecision + kGuardDigits));
    }
}

TEST_F(Multiply, HandExamples)
{
    workPrecision = 20;
    const char* cases[][3] = {
        {"1.5", "1.5", "2.25e0"},   {"2e5", "3e-2", "6e3"},     {"-4", "-2.5", "1e1"},
        {"-4", "2.5", "-1e1"},      {"12", "-0.5", "-6e0"},      {"9.99", "9.99", "9.98001e1"},
        {"1.2345", "2.5", "3.08625e0"}, {"5", "4", "2e1"},       {"1e-5", "3e7", "3e2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(canonicalOf(myMul(bigFromDecimal(c[0]), bigFromDecimal(c[1]))), c[2]) << c[0] << " * " << c[1];
        // The FFT branch on its own handles short operands just as well.
        EXPECT_EQ(canonicalOf(myMulFFT(bigFromDecimal(c[0]), bigFromDecimal(c[1]))), c[2]) << c[0] << " * " << c[1];
    }
    const BigNum both = myMulFFT(bigFromDecimal("-9.99"), bigFromDecimal("-9.99"));
    EXPECT_TRUE(both.isPositive());
    EXPECT_FALSE(myMulFFT(bigFromDecimal("-9.99"), bigFromDecimal("9.99")).isPositive());
}

// 0 gives the shared zero (sign true whatever the signs); a factor of
// magnitude one gives the other operand back as it came, not cut to
// workPrecision + 4 digits.
TEST_F(Multiply, TrivialFactors)
{
    workPrecision = 10;
    const std::string longValue = "-3.14159265358979323846264338327950288e7";
    struct Case {
        std::string a, b, product;
    };
    const Case cases[] = {
        {"0", "-7", "0"},
        {"-7", "0", "0"},
        {"-0.000", "123.5", "0"},
        {"-1", "2.5", "-2.5e0"},
        {"2.5", "-1", "-2.5e0"},
        {"-1", "-1", "1e0"},
        {"1.000", "-1", "-1e0"},
        {"1", longValue, canonicalOfDecimal(longValue, 0)},
        {longValue, "-1", canonicalOfDecimal(longValue.substr(1), 0)},
        {"1e0", "0.00123456789012345678901", "1.23456789012345678901e-3"},
    };
    for (const Case& c : cases) {
        const BigNum r = myMul(bigFromDecimal(c.a), bigFromDecimal(c.b));
        EXPECT_EQ(canonicalOf(r), c.product) << c.a << " * " << c.b;
        EXPECT_TRUE(c.product != "0" || r.isPositive()) << c.a << " * " << c.b;
    }
    EXPECT_EQ(errorFlag, 0);
}

// The shorter operand at least kFftMinShorterDigits and na * nb at least
// kFftMinDigitProduct send a product to the transform. Which branch ran shows
// when the library is missing: only the transform looks for it and prints the
// notice.
TEST_F(Multiply, MethodSwitch)
{
    struct Case {
        int32_t na, nb;
        bool fft;
    };
    const int32_t shorter = kFftMinShorterDigits;
    int32_t side = 1; // smallest square reaching the product threshold
    while (static_cast<int64_t>(side) * side < kFftMinDigitProduct)
        ++side;
    const int32_t longer = static_cast<int32_t>(kFftMinDigitProduct / shorter) + 1;
    const Case cases[] = {
        {side, side, true},          {side - 1, side - 1, false},
        {shorter, longer, true},     {longer, shorter - 1, false}, {10000, 7, false},
        {shorter - 1, 10000, false}, {10000, 10000, true},
    };
    std::mt19937_64 rng(99);
    workPrecision = std::max(10000, longer); // no operand is cut below its length
    for (const Case& c : cases) {
        const std::string a = mantissaOfDigits(rng, c.na);
        const std::string b = "-" + mantissaOfDigits(rng, c.nb) + "e-3";
        BigNum r;
        const std::string printed =
            withLibraryAt(kMissingLibrary, [&] { r = myMul(bigFromDecimal(a), bigFromDecimal(b)); });
        EXPECT_EQ(occurrences(printed, kFallbackNotice), c.fft ? 1u : 0u) << c.na << " x " << c.nb;
        EXPECT_EQ(canonicalOf(r), expectedProduct(a, b, workPrecision + kGuardDigits)) << c.na << " x " << c.nb;
        // And the same digits with the library present.
        EXPECT_EQ(canonicalOf(myMul(bigFromDecimal(a), bigFromDecimal(b))), canonicalOf(r)) << c.na << " x " << c.nb;
    }
}

// The FFT and the schoolbook method produce the same record, digit for digit.
TEST_F(Multiply, FftAndSchoolbookAgree)
{
    ASSERT_TRUE(fftLibraryAvailable());
    std::mt19937_64 rng(4242);
    for (int round = 0; round < 12; ++round) {
        workPrecision = 300 + static_cast<int32_t>(rng() % 4000);
        const std::string a = randomDecimal(rng, 256 + static_cast<int32_t>(rng() % 5000), 100);
        const std::string b = randomDecimal(rng, 256 + static_cast<int32_t>(rng() % 5000), 100);
        const BigNum viaFft = myMul(bigFromDecimal(a), bigFromDecimal(b));
        forceSchoolbookForTest(true);
        const BigNum viaSchoolbook = myMul(bigFromDecimal(a), bigFromDecimal(b));
        forceSchoolbookForTest(false);
        EXPECT_EQ(viaFft.limbCount, viaSchoolbook.limbCount);
        EXPECT_EQ(viaFft.fracDigits, viaSchoolbook.fracDigits);
        EXPECT_EQ(viaFft.exponent, viaSchoolbook.exponent);
        EXPECT_EQ(viaFft.positive, viaSchoolbook.positive);
        EXPECT_EQ(viaFft.store, viaSchoolbook.store);
        EXPECT_EQ(canonicalOf(viaFft), expectedProduct(a, b, workPrecision + kGuardDigits));
    }
}

// Every size band on each side of every switch (kept columns / schoolbook / Karatsuba /
// base-1000 transform / base-10000 transform, Karatsuba's slices of a long
// operand and its uneven halves, and the schoolbook's carry passes every 1024
// rows of 8 digits), by each method and as a square, on random digits, on all
// 9s (the largest columns) and on 9s up to the cut followed by 0s.
TEST_F(Multiply, SizeBandsAgreeWithMpfrByEveryMethod)
{
    int32_t side = 1;
    while (static_cast<int64_t>(side) * side < kFftMinDigitProduct)
        ++side;
    const int32_t fastSide = 2 * kFastTransformMinColumns; // na + nb digits ~ 4 * columns
    const int32_t karatsuba = 8 * kKaratsubaMinLimbs;       // digits of the shortest Karatsuba operand
    const int32_t kept = 8 * kShortProductMaxLimbs;         // digits of the shortest whole exact product
    const std::pair<int32_t, int32_t> shapes[] = {
        {karatsuba - 8, karatsuba - 8},   {karatsuba, karatsuba},           {karatsuba + 1, 3000},
        {2 * karatsuba - 1, karatsuba + 1},
        {kFftMinShorterDigits - 1, 3000}, {kFftMinShorterDigits, 3000}, {side - 1, side},
        {side + 1, side + 1},             {fastSide - 9, fastSide - 8}, {fastSide + 8, fastSide + 9},
        {8 * 1024 + 8, 3000},             {16000, 16000},
        // Kept columns only: a long operand times one of half its length, and
        // both sides of the switch back to Karatsuba's whole product.
        {600, 300},                       {kept - 9, kept - 9},             {kept + 8, kept + 8},
    };
    enum Pattern { Random, Nines, NinesThenZeros };
    std::mt19937_64 rng(77);
    for (const auto& [na, nb] : shapes) {
        workPrecision = std::max(na, nb) - kGuardDigits - 3; // the longer operand loses 3 digits
        for (const Pattern pattern : {Random, Nines, NinesThenZeros}) {
            std::string a = mantissaOfDigits(rng, na);
            std::string b = "-" + mantissaOfDigits(rng, nb) + "e-5";
            if (pattern != Random) {
                a = "9." + std::string(static_cast<size_t>(na - 1), '9');
                b = "-9." + std::string(static_cast<size_t>(nb - 1), '9') + "e-5";
            }
            if (pattern == NinesThenZeros) {
                a += "e3"; // the cut falls inside a run of 9s followed by 0s
                a.replace(a.size() - 2 - static_cast<size_t>(na / 3), static_cast<size_t>(na / 3),
                          std::string(static_cast<size_t>(na / 3), '0'));
            }
            const std::string expected = expectedProduct(a, b, workPrecision + kGuardDigits);
            const BigNum x = bigFromDecimal(a), y = bigFromDecimal(b);
            EXPECT_EQ(canonicalOf(myMul(x, y)), expected) << na << " x " << nb << " pattern " << pattern;
            EXPECT_EQ(canonicalOf(myMulSchoolbook(x, y)), expected) << na << " x " << nb << " pattern " << pattern;
            EXPECT_EQ(canonicalOf(myMulFFT(x, y)), expected) << na << " x " << nb << " pattern " << pattern;
            EXPECT_EQ(canonicalOf(myMul(x, x)), expectedProduct(a, a, workPrecision + kGuardDigits))
                << na << " squared, pattern " << pattern;
            ignoreFastEntryForTest(true);
            EXPECT_EQ(canonicalOf(myMulFFT(x, y)), expected) << na << " x " << nb << " base 1000";
            ignoreFastEntryForTest(false);
        }
    }
}

// Every operand length up to nine 32-digit blocks of the exact product's
// digit reading (whole 8-digit limbs in blocks of four, the rest one by one,
// then the short leading limb), against short and long second factors, on
// random digits, all 9s (the largest limbs) and 9s with a run of 0s before
// the last 9 (zero limbs); the products are cut at varying lengths, so the digits
// are written out in whole limbs and a part of one.
TEST_F(Multiply, EveryOperandLengthAroundDigitBlocks)
{
    enum Pattern { Random, Nines, NinesThenZeros };
    std::mt19937_64 rng(8);
    for (int32_t na = 2; na <= 9 * 32 + 1; ++na) {
        for (const int32_t nb : {2, 8, 9, 33, 65}) {
            workPrecision = 1 + static_cast<int32_t>(rng() % static_cast<uint64_t>(na + nb));
            for (const Pattern pattern : {Random, Nines, NinesThenZeros}) {
                std::string a = mantissaOfDigits(rng, na);
                std::string b = "-" + mantissaOfDigits(rng, nb) + "e-9";
                if (pattern != Random)
                    a = "9." + std::string(static_cast<size_t>(na - 1), '9');
                if (pattern == NinesThenZeros && na > 2)
                    a.replace(2 + static_cast<size_t>(na / 2), static_cast<size_t>(na - 2 - na / 2),
                              std::string(static_cast<size_t>(na - 2 - na / 2), '0'));
                const BigNum x = bigFromDecimal(a), y = bigFromDecimal(b);
                EXPECT_EQ(canonicalOf(myMulSchoolbook(x, y)), expectedProduct(a, b, workPrecision + kGuardDigits))
                    << na << " x " << nb << " pattern " << pattern << " wp=" << workPrecision;
            }
        }
    }
}

// A missing library, or one without the export, costs speed only: the
// product is exact and the notice, with the loader's reason, comes once.
TEST_F(Multiply, UnusableLibraryFallsBackWithOneNotice)
{
    struct Case {
        std::string path;
        std::string reason; // part of the loader's message
    };
    const Case cases[] = {
        {kMissingLibrary, "No such file"},
        {"libm.so.6", "undefined symbol"}, // loads, but has no multyplyFFT
    };
    std::mt19937_64 rng(5);
    workPrecision = 2000;
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::string>> operands;
        std::vector<std::string> results;
        const std::string printed = withLibraryAt(c.path, [&] {
            EXPECT_FALSE(fftLibraryAvailable());
            for (int i = 0; i < 3; ++i) {
                operands.emplace_back(randomDecimal(rng, 1500, 10), randomDecimal(rng, 1800, 10));
                results.push_back(canonicalOf(myMul(bigFromDecimal(operands.back().first),
                                                    bigFromDecimal(operands.back().second))));
            }
        });
        EXPECT_EQ(occurrences(printed, kFallbackNotice), 1u) << printed;
        EXPECT_NE(printed.find(c.reason), std::string::npos) << printed;
        for (size_t i = 0; i < results.size(); ++i)
            EXPECT_EQ(results[i], expectedProduct(operands[i].first, operands[i].second, workPrecision + kGuardDigits));
    }
    EXPECT_TRUE(fftLibraryAvailable());
}

TEST_F(Multiply, NothingHappensAfterAnError)
{
    const BigNum two = bigFromDecimal("2");
    const BigNum three = bigFromDecimal("3");
    errorFlag = -1;
    EXPECT_TRUE(myMul(two, three).isEmpty());
    EXPECT_TRUE(myMulFFT(two, three).isEmpty());
    EXPECT_TRUE(myMulSchoolbook(two, three).isEmpty());
}

} // namespace

namespace {

// Products whose exponent leaves the representable range are reported on
// both methods instead of wrapping around in 32 bits.
TEST_F(Multiply, ExponentOverflowIsReported)
{
    workPrecision = 300;
    const std::string longMantissa = "3." + std::string(299, '7');
    for (bool schoolbook : {false, true}) {
        for (const char* exponent : {"e1500000000", "e-1500000000"}) {
            forceSchoolbookForTest(schoolbook);
            RecordingPort port;
            errorFlag = 0;
            const BigNum x = bigFromDecimal(longMantissa + exponent);
            const BigNum product = myMul(x, x);
            EXPECT_TRUE(product.isEmpty()) << exponent;
            EXPECT_EQ(errorFlag, -1);
            EXPECT_EQ(port.messages.size(), 1u);
        }
    }
    // Right at the limit the product still comes out.
    errorFlag = 0;
    const BigNum half = bigFromDecimal("3e1000000000");
    EXPECT_EQ(canonicalOf(myMul(half, half)), "9e2000000000");
}

} // namespace
