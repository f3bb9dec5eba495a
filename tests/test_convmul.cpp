// libconvmul.so through the calculator's own binding: the contract of
// multyplyFFT on hand-checked small products, and random and extreme products
// against GMP's mpz_mul.

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bignum/fft_binding.h"

namespace {

constexpr int32_t kMaxLimbs = CONVMUL_MAX_LIMBS;

ConvmulMultiplyFn library()
{
    const ConvmulMultiplyFn f = convmulEntry();
    if (f == nullptr)
        ADD_FAILURE() << "libconvmul.so was not found beside the test executable";
    return f;
}

// Decimal text of base-1000 limbs, most significant first.
std::string decimalOfLimbs(const int32_t* limbs, int32_t count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) * 3);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t v = limbs[i];
        text += static_cast<char>('0' + v / 100);
        text += static_cast<char>('0' + v / 10 % 10);
        text += static_cast<char>('0' + v % 10);
    }
    const size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? "0" : text.substr(first);
}

// x * y of two decimal texts by GMP, as text.
std::string gmpProductOfTexts(const std::string& x, const std::string& y)
{
    mpz_t u, v;
    mpz_init_set_str(u, x.c_str(), 10);
    mpz_init_set_str(v, y.c_str(), 10);
    mpz_mul(u, u, v);
    std::string product(mpz_sizeinbase(u, 10) + 2, '\0');
    mpz_get_str(product.data(), 10, u);
    product.resize(product.find('\0'));
    mpz_clear(u);
    mpz_clear(v);
    return product;
}

std::string gmpProduct(const std::vector<int32_t>& a, const std::vector<int32_t>& b)
{
    return gmpProductOfTexts(decimalOfLimbs(a.data(), static_cast<int32_t>(a.size())),
                             decimalOfLimbs(b.data(), static_cast<int32_t>(b.size())));
}

struct Product {
    int32_t status = 0;
    int32_t top = 0;            // index of the most significant limb written back
    std::vector<int32_t> limbs; // limbs 0 .. top
    bool sentinelsIntact = true;
};

constexpr int32_t kSentinel = -7777;

// Calls the library with a buffer of exactly na + nb limbs followed by
// sentinels, which must survive.
Product multiply(const std::vector<int32_t>& a, const std::vector<int32_t>& b)
{
    Product p;
    const ConvmulMultiplyFn f = library();
    if (f == nullptr)
        return p;
    const size_t room = a.size() + b.size();
    std::vector<int32_t> buffer(room + 4, kSentinel);
    std::copy(a.begin(), a.end(), buffer.begin());
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(a.size()),
              buffer.begin() + static_cast<std::ptrdiff_t>(room), 0);
    int32_t na = static_cast<int32_t>(a.size());
    const int32_t nb = static_cast<int32_t>(b.size());
    p.status = f(buffer.data(), b.data(), &na, &nb);
    p.top = na;
    p.limbs.assign(buffer.begin(), buffer.begin() + (na + 1));
    for (size_t i = room; i < buffer.size(); ++i)
        p.sentinelsIntact = p.sentinelsIntact && buffer[i] == kSentinel;
    return p;
}

std::vector<int32_t> randomLimbs(std::mt19937_64& rng, int32_t count, bool leadingNonzero)
{
    std::uniform_int_distribution<int32_t> limb(0, 999);
    std::vector<int32_t> v(static_cast<size_t>(count));
    for (auto& x : v)
        x = limb(rng);
    if (leadingNonzero && v[0] == 0)
        v[0] = 1 + limb(rng) % 999;
    return v;
}

// Known small products: the limb layout of the result, the top index and the
// status are all part of the contract.
TEST(Convmul, HandCheckedProducts)
{
    struct Case {
        std::vector<int32_t> a, b, product;
    };
    const Case cases[] = {
        {{1, 234, 500}, {2, 500}, {3, 86, 250, 0}}, // 1234500 * 2500
        {{5, 0}, {4, 0}, {20, 0, 0}},               // leading limb above 9
        {{999}, {999}, {998, 1}},
        {{7}, {8}, {56}},
        {{0}, {123, 456}, {0}},                     // zero product: one limb 0
        {{123, 456}, {0, 0, 0}, {0}},
        {{0, 0, 5}, {2}, {10}},                     // leading zero limbs in the input
        {{1, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Product p = multiply(c.a, c.b);
        EXPECT_EQ(p.status, 0);
        EXPECT_EQ(p.top, static_cast<int32_t>(c.product.size()) - 1);
        EXPECT_EQ(p.limbs, c.product);
        EXPECT_TRUE(p.sentinelsIntact);
    }
}

// Random products of many shapes against GMP, from single limbs to the
// largest operands the work arrays hold, and the sizes the calculator uses
// (3336 limbs: two 10,000-digit operands).
TEST(Convmul, RandomProductsMatchGmp)
{
    std::mt19937_64 rng(20240611);
    const std::pair<int32_t, int32_t> shapes[] = {
        {1, 1},       {1, 2},      {2, 1},       {3, 3},       {5, 17},       {64, 64},    {100, 7},
        {255, 86},    {86, 3336},  {1000, 999},  {2048, 2048}, {2049, 2048},  {3336, 3336}, {4097, 3},
        {5463, 5463}, {1, kMaxLimbs}, {kMaxLimbs, 2}, {40000, 25000}, {kMaxLimbs, kMaxLimbs},
    };
    for (const auto& [na, nb] : shapes) {
        for (int trial = 0; trial < (int64_t{na} * nb < 1000000 ? 5 : 1); ++trial) {
            const auto a = randomLimbs(rng, na, trial % 2 == 0);
            const auto b = randomLimbs(rng, nb, trial % 2 == 0);
            const Product p = multiply(a, b);
            ASSERT_EQ(p.status, 0) << na << " x " << nb;
            EXPECT_EQ(decimalOfLimbs(p.limbs.data(), p.top + 1), gmpProduct(a, b)) << na << " x " << nb;
            EXPECT_TRUE(p.limbs[0] != 0 || p.top == 0) << "leading zero limb written back";
            EXPECT_TRUE(p.sentinelsIntact) << na << " x " << nb;
        }
    }
}

// All limbs 999 give the largest convolution columns: from about 4300 limbs
// on they no longer fit 32 bits, and at 65536 limbs each they test the
// floating-point rounding margin as well.
TEST(Convmul, LargestColumnsStayExact)
{
    for (const int32_t n : {4300, 5500, 20000, kMaxLimbs}) {
        const std::vector<int32_t> nines(static_cast<size_t>(n), 999);
        const Product p = multiply(nines, nines);
        ASSERT_EQ(p.status, 0);
        EXPECT_EQ(decimalOfLimbs(p.limbs.data(), p.top + 1), gmpProduct(nines, nines)) << n << " limbs of 999";
    }
}

// The work arrays are reused: a long product must leave nothing behind that
// a shorter one could pick up.
TEST(Convmul, ShortProductAfterLongOne)
{
    std::mt19937_64 rng(7);
    const auto longA = randomLimbs(rng, 30000, true);
    const auto longB = randomLimbs(rng, 30000, true);
    const Product big = multiply(longA, longB);
    ASSERT_EQ(decimalOfLimbs(big.limbs.data(), big.top + 1), gmpProduct(longA, longB));
    for (const int32_t n : {1, 2, 3, 50}) {
        const auto a = randomLimbs(rng, n, true);
        const auto b = randomLimbs(rng, n + 1, true);
        const Product p = multiply(a, b);
        EXPECT_EQ(decimalOfLimbs(p.limbs.data(), p.top + 1), gmpProduct(a, b));
    }
}

// Counts outside 1 .. CONVMUL_MAX_LIMBS would run past the static arrays: they
// are refused and the caller's buffer is left alone.
TEST(Convmul, RefusesCountsBeyondItsArrays)
{
    const ConvmulMultiplyFn f = library();
    ASSERT_NE(f, nullptr);
    std::vector<int32_t> a(2 * kMaxLimbs + 4, 5);
    const std::vector<int32_t> b(kMaxLimbs + 1, 5);
    for (const auto& [na, nb] : {std::pair{0, 1}, {1, 0}, {-3, 2}, {kMaxLimbs + 1, 1}, {1, kMaxLimbs + 1}}) {
        int32_t countA = na;
        const int32_t countB = nb;
        EXPECT_EQ(f(a.data(), b.data(), &countA, &countB), -1) << na << " x " << nb;
        EXPECT_EQ(countA, na);
    }
    EXPECT_EQ(std::count(a.begin(), a.end(), 5), static_cast<std::ptrdiff_t>(a.size()));
}

} // namespace

namespace {

// Decimal text of base-10000 limbs, least significant first.
std::string decimalOf10kLimbs(const std::vector<uint32_t>& limbs)
{
    std::string text;
    for (auto it = limbs.rbegin(); it != limbs.rend(); ++it) {
        const std::string v = std::to_string(*it);
        text += std::string(4 - v.size(), '0') + v;
    }
    const size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? "0" : text.substr(first);
}

std::vector<int32_t> asBase1000(const std::vector<uint32_t>& limbs)
{
    const std::string text = decimalOf10kLimbs(limbs);
    std::vector<int32_t> v;
    const std::string padded = std::string((3 - text.size() % 3) % 3, '0') + text;
    for (size_t i = 0; i < padded.size(); i += 3)
        v.push_back(std::stoi(padded.substr(i, 3)));
    return v;
}

// The base-10000 entry: random and all-9999 operands (the largest columns,
// the largest rounding error) against GMP, squares (one forward transform),
// the rounding error it reports, and the refusal of impossible counts.
TEST(Convmul, FastEntryMatchesGmpAndReportsItsError)
{
    const ConvmulMultiply10kFn f = convmulFastEntry();
    ASSERT_NE(f, nullptr);
    std::mt19937_64 rng(99);
    // Columns na + nb - 1 against the lengths 2^k, 5 * 2^k and, from 6400
    // on, 7 * 2^k and 25 * 2^k: 1 -> 2, 5 -> 8, 9 -> 10 (an odd half
    // length), 4095 -> 4096, 2049 -> 2560, 3073 -> 4096, 5005 -> 5120 (two
    // 10,000-digit operands), 6400 and 6401 on each side of 6400 (the next:
    // 7168), 8199 -> 10240, 139999 -> 163840; and lengths shorter than the
    // columns, whose top columns wrap onto the lowest: 65 -> 40, 5133 -> 5120,
    // 5184 -> 5120 (the most that wraps), 5185 -> 6400 (one more does not).
    const std::pair<int32_t, int32_t> shapes[] = {
        {1, 1},       {2, 3},       {3, 3},       {4, 6},       {2048, 2048},  {2049, 1},    {1536, 1537},
        {1537, 1537}, {2503, 2503}, {3200, 3201}, {3201, 3201}, {4100, 4100},  {70000, 70000}, {33, 33},
        {2567, 2567}, {2592, 2593}, {2593, 2593}};
    for (const auto& [na, nb] : shapes) {
        for (const bool nines : {false, true}) {
            std::vector<uint32_t> a(static_cast<size_t>(na)), b(static_cast<size_t>(nb));
            for (auto& v : a)
                v = nines ? 9999 : static_cast<uint32_t>(rng() % 10000);
            for (auto& v : b)
                v = nines ? 9999 : static_cast<uint32_t>(rng() % 10000);
            for (const bool square : {false, true}) {
                const std::vector<uint32_t>& second = square ? a : b;
                std::vector<uint32_t> product(a.size() + second.size() + 1, 7);
                const double error = f(a.data(), na, second.data(), static_cast<int32_t>(second.size()), product.data());
                EXPECT_GE(error, 0.0);
                EXPECT_LT(error, 0.25) << na << " x " << second.size();
                // Columns near 10^11 and beyond are never exact doubles here.
                if (nines && na >= 1000) {
                    EXPECT_GT(error, 0.0) << na << " x " << second.size() << ": the rounding error went unmeasured";
                }
                EXPECT_EQ(product.back(), 7u) << "wrote past na + nb limbs";
                product.pop_back();
                EXPECT_EQ(decimalOf10kLimbs(product), gmpProduct(asBase1000(a), asBase1000(second)))
                    << na << " x " << second.size() << (nines ? " nines" : "");
            }
        }
    }
    const uint32_t one = 1;
    uint32_t out[4] = {};
    EXPECT_EQ(f(&one, 0, &one, 1, out), -1.0);
    EXPECT_EQ(f(&one, 1, &one, CONVMUL_MAX_LIMBS_10K + 1, out), -1.0);
}

// All lengths share the library's work arrays and each length keeps its own
// plans: products after a longer one (the arrays grown, then used in part),
// squares of a length that so far formed only products and the other way
// round, odd limb counts in squares (limbs packed in exchanged pairs), and
// the all-9999 operands at the largest length, in this order.
TEST(Convmul, LengthChangesReuseTheSharedWorkArrays)
{
    const ConvmulMultiply10kFn f = convmulFastEntry();
    ASSERT_NE(f, nullptr);
    std::mt19937_64 rng(31);
    struct Step {
        int32_t na, nb;
        bool square, nines;
    };
    const Step steps[] = {{1200, 1100, false, false}, {30000, 29000, false, false}, {1200, 1200, true, false},
                          {777, 777, true, false},     {5, 3, false, false},         {29001, 29001, true, true},
                          {777, 776, false, false},    {30000, 29000, false, true}};
    for (const Step& s : steps) {
        std::vector<uint32_t> a(static_cast<size_t>(s.na)), b(static_cast<size_t>(s.nb));
        for (auto& v : a)
            v = s.nines ? 9999 : static_cast<uint32_t>(rng() % 10000);
        for (auto& v : b)
            v = s.nines ? 9999 : static_cast<uint32_t>(rng() % 10000);
        const std::vector<uint32_t>& second = s.square ? a : b;
        std::vector<uint32_t> product(a.size() + second.size());
        const double error = f(a.data(), s.na, second.data(), static_cast<int32_t>(second.size()), product.data());
        EXPECT_GE(error, 0.0);
        EXPECT_LT(error, 0.25) << s.na << " x " << second.size();
        EXPECT_EQ(decimalOf10kLimbs(product), gmpProduct(asBase1000(a), asBase1000(second)))
            << s.na << " x " << second.size() << (s.square ? " square" : "");
    }
}

// a * b of two digit strings (one digit value per element) by GMP, as text.
std::string gmpProductOfDigits(const std::vector<int32_t>& a, const std::vector<int32_t>& b)
{
    std::string x, y;
    for (const int32_t d : a)
        x += static_cast<char>('0' + d);
    for (const int32_t d : b)
        y += static_cast<char>('0' + d);
    return gmpProductOfTexts(x, y);
}

// The digit-string entry packs the calculator's digits (most significant
// first, any count) into limbs itself: digit counts on each side of a
// multiple of four, random digits, all 9s, and squares (the same string
// twice, and an equal copy), against GMP.
TEST(Convmul, DigitsEntryMatchesGmp)
{
    const ConvmulMultiplyDigitsFn f = convmulDigitsEntry();
    ASSERT_NE(f, nullptr);
    std::mt19937_64 rng(5);
    const std::pair<int32_t, int32_t> shapes[] = {{1, 1},         {5, 3},         {4, 4},         {4095, 4097},
                                                  {6145, 6143},   {8192, 10},     {10004, 10004}, {40001, 39999},
                                                  {10268, 10268}, {10365, 10372}};
    for (const auto& [na, nb] : shapes) {
        for (const bool nines : {false, true}) {
            std::vector<int32_t> a(static_cast<size_t>(na)), b(static_cast<size_t>(nb));
            for (auto& d : a)
                d = nines ? 9 : static_cast<int32_t>(rng() % 10);
            for (auto& d : b)
                d = nines ? 9 : static_cast<int32_t>(rng() % 10);
            const std::vector<int32_t> copyOfA = a;
            const std::vector<int32_t>* seconds[] = {&b, &a, &copyOfA};
            for (const std::vector<int32_t>* second : seconds) {
                const int32_t n2 = static_cast<int32_t>(second->size());
                std::vector<uint32_t> product(static_cast<size_t>((na + 3) / 4 + (n2 + 3) / 4 + 1), 7);
                const double error = f(a.data(), na, second->data(), n2, product.data());
                EXPECT_GE(error, 0.0);
                EXPECT_LT(error, 0.25) << na << " x " << n2;
                EXPECT_EQ(product.back(), 7u) << "wrote past the product's limbs";
                product.pop_back();
                EXPECT_EQ(decimalOf10kLimbs(product), gmpProductOfDigits(a, *second))
                    << na << " x " << n2 << (nines ? " nines" : "");
            }
        }
    }
    const int32_t digit = 3;
    uint32_t out[4] = {};
    EXPECT_EQ(f(&digit, 0, &digit, 1, out), -1.0);
    EXPECT_EQ(f(&digit, 1, &digit, 4 * CONVMUL_MAX_LIMBS_10K + 1, out), -1.0);
}


// An operand that comes again has its spectrum kept and only the other one is
// transformed: a series' chain x * y1, x * y2, ... with x on either side, x
// changed in place (same address, one digit other), a length whose
// transform differs, a square in between, and all-9 operands (the largest
// rounding error through the kept spectrum), each against GMP.
TEST(Convmul, RepeatedOperandsUseTheirKeptSpectrum)
{
    const ConvmulMultiplyDigitsFn f = convmulDigitsEntry();
    ASSERT_NE(f, nullptr);
    std::mt19937_64 rng(17);
    const auto randomDigits = [&](int32_t n, bool nines) {
        std::vector<int32_t> v(static_cast<size_t>(n));
        for (auto& d : v)
            d = nines ? 9 : static_cast<int32_t>(rng() % 10);
        return v;
    };
    const auto check = [&](const std::vector<int32_t>& a, const std::vector<int32_t>& b, const char* step) {
        const int32_t na = static_cast<int32_t>(a.size()), nb = static_cast<int32_t>(b.size());
        std::vector<uint32_t> product(static_cast<size_t>((na + 3) / 4 + (nb + 3) / 4));
        const double error = f(a.data(), na, b.data(), nb, product.data());
        EXPECT_GE(error, 0.0) << step;
        EXPECT_LT(error, 0.25) << step;
        EXPECT_EQ(decimalOf10kLimbs(product), gmpProductOfDigits(a, b)) << step;
    };
    for (const bool nines : {false, true}) {
        std::vector<int32_t> x = randomDigits(10140, nines);
        check(x, randomDigits(10140, nines), "first product");
        check(x, randomDigits(10137, nines), "x again: its spectrum kept");
        check(x, randomDigits(10140, nines), "x kept, on the left");
        check(randomDigits(10001, nines), x, "x kept, on the right");
        x.back() = (x.back() + 1) % 10;
        check(x, randomDigits(10140, nines), "x changed in place");
        check(x, randomDigits(10140, nines), "changed x again");
        check(x, randomDigits(10140, nines), "changed x kept");
        check(x, randomDigits(3000, nines), "kept x, another transform length");
        check(x, x, "square of x");
        check(randomDigits(9000, nines), x, "x after the other length");
        check(randomDigits(10140, nines), x, "x again, on the right");
        check(randomDigits(10139, nines), x, "x kept from the right");
    }
}

} // namespace
