// Products at the sizes the calculator meets, next to MPFR's multiplication at
// the same precision, so the ratio can be read off one run:
//   - two 10,000-digit operands at workPrecision 10008 (the FFT branch);
//   - two 250-digit operands (the schoolbook method);
//   - libconvmul.so alone on 3,336 limbs each (10,000 digits), and its FFTW
//     entry on 10,004 digits each (a product of new operands, the square, and
//     a product with an operand of the product before);
//   - mpfr_mul at 10,012 and 254 digits (the digits myMul keeps).
#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bignum/fft_binding.h"
#include "bignum/fft_binding_testing.h"
#include "bignum/globals.h"
#include "bignum/limb_product.h"
#include "bignum/short_product.h"
#include "expr/startup.h"

namespace {

void prepareCore()
{
    static bool started = false;
    if (!started) {
        startUp();
        started = true;
    }
    errorFlag = 0;
}

std::string randomMantissa(std::mt19937_64& rng, int32_t digits)
{
    std::string d = "0.";
    d += static_cast<char>('1' + rng() % 9);
    for (int32_t i = 1; i < digits; ++i)
        d += static_cast<char>('0' + rng() % 10);
    return d;
}

void runMyMul(benchmark::State& state, int32_t digits, int32_t precision, bool schoolbookOnly)
{
    prepareCore();
    workPrecision = precision;
    std::mt19937_64 rng(1);
    const BigNum a = myStrToNum(randomMantissa(rng, digits));
    const BigNum b = myStrToNum(randomMantissa(rng, digits));
    forceSchoolbookForTest(schoolbookOnly);
    for (auto _ : state) {
        BigNum p = myMul(a, b);
        benchmark::DoNotOptimize(p);
    }
    forceSchoolbookForTest(false);
    if (errorFlag != 0)
        state.SkipWithError("the product reported an error");
}

void BM_MyMul_10000Digits(benchmark::State& state) { runMyMul(state, 10000, 10008, false); }
void BM_MyMul_10000Digits_Schoolbook(benchmark::State& state) { runMyMul(state, 10000, 10008, true); }
void BM_MyMul_250Digits(benchmark::State& state) { runMyMul(state, 250, 250, false); }

// The crossing of the methods, for the thresholds: operands of
// state.range(0) and state.range(1) digits, by the schoolbook method
// (range(2) == 0), the transform (1) or the exact methods by size (2: the
// transform's fallback, Karatsuba's method from kKaratsubaMinLimbs limbs).
void BM_MyMul_Method(benchmark::State& state)
{
    prepareCore();
    const int32_t na = static_cast<int32_t>(state.range(0));
    const int32_t nb = static_cast<int32_t>(state.range(1));
    workPrecision = std::max(na, nb);
    std::mt19937_64 rng(3);
    const BigNum a = myStrToNum(randomMantissa(rng, na));
    const BigNum b = myStrToNum(randomMantissa(rng, nb));
    const int64_t method = state.range(2);
    forceSchoolbookForTest(method == 2);
    for (auto _ : state) {
        BigNum p = method == 0 ? myMulSchoolbook(a, b) : myMulFFT(a, b);
        benchmark::DoNotOptimize(p);
    }
    forceSchoolbookForTest(false);
}

void methodShapes(benchmark::internal::Benchmark* b)
{
    const int64_t shapes[][2] = {{32, 32},   {48, 48},   {64, 64},     {96, 96},     {128, 128}, {192, 192},
                                 {256, 256}, {384, 384}, {512, 512},   {1024, 1024}, {10000, 16}, {10000, 32},
                                 {10000, 64}, {10000, 128}, {2000, 64}, {2000, 128}, {2048, 2048}, {4096, 4096},
                                 {8192, 8192}, {10000, 1024}, {10000, 2048}};
    for (const auto& s : shapes)
        for (int64_t method : {0, 1, 2})
            b->Args({s[0], s[1], method});
}

// The kept columns of a product (the digits myMul keeps: as many as the
// longer operand) against the whole product by Karatsuba's method, on
// state.range(0) base-10^8 limbs each: range(1) == 0 the kept columns by the
// schoolbook, 1 Karatsuba's method. Sets kShortProductMaxLimbs.
void BM_KeptProduct(benchmark::State& state)
{
    const int32_t n = 8 * static_cast<int32_t>(state.range(0));
    std::mt19937_64 rng(4);
    std::vector<int32_t> a(static_cast<size_t>(n)), b(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        a[static_cast<size_t>(i)] = static_cast<int32_t>(i == 0 ? 1 + rng() % 9 : rng() % 10);
        b[static_cast<size_t>(i)] = static_cast<int32_t>(i == 0 ? 1 + rng() % 9 : rng() % 10);
    }
    ProductLimbs out;
    for (auto _ : state) {
        if (state.range(1) == 0)
            limbProductKept(a.data(), n, b.data(), n, n, out);
        else
            limbProductExact(a.data(), n, b.data(), n, out, ExactProduct::BySize);
        benchmark::DoNotOptimize(out.limbs.data());
    }
}

void BM_Convmul_3336Limbs(benchmark::State& state)
{
    const ConvmulMultiplyFn multiply = convmulEntry();
    if (multiply == nullptr) {
        state.SkipWithError("libconvmul.so not found beside the executable");
        return;
    }
    constexpr int32_t n = 3336;
    std::mt19937_64 rng(2);
    std::vector<int32_t> a(2 * n), b(n), work(2 * n);
    for (int32_t i = 0; i < n; ++i) {
        a[static_cast<size_t>(i)] = static_cast<int32_t>(rng() % 1000);
        b[static_cast<size_t>(i)] = static_cast<int32_t>(rng() % 1000);
    }
    for (auto _ : state) {
        std::copy(a.begin(), a.end(), work.begin());
        int32_t na = n;
        const int32_t nb = n;
        benchmark::DoNotOptimize(multiply(work.data(), b.data(), &na, &nb));
        benchmark::ClobberMemory();
    }
}

// The FFTW entry on the calculator's own digit strings: state.range(0) digits
// each, a product of two operands that the product before did not have
// (range(1) == 0: two pairs taken in turn), a square (1), or a product whose
// second operand the product before had too (2: its spectrum is kept, as in
// a series).
void BM_ConvmulDigits(benchmark::State& state)
{
    const ConvmulMultiplyDigitsFn multiply = convmulDigitsEntry();
    if (multiply == nullptr) {
        state.SkipWithError("libconvmul.so without its FFTW entry");
        return;
    }
    const int32_t n = static_cast<int32_t>(state.range(0));
    const int64_t shape = state.range(1);
    std::mt19937_64 rng(4);
    std::vector<int32_t> operands[4];
    for (auto& v : operands) {
        v.resize(static_cast<size_t>(n));
        for (auto& d : v)
            d = static_cast<int32_t>(rng() % 10);
    }
    std::vector<uint32_t> product(static_cast<size_t>(2 * ((n + 3) / 4)));
    size_t turn = 0;
    for (auto _ : state) {
        const std::vector<int32_t>& a = operands[turn];
        const std::vector<int32_t>& b = shape == 1 ? a : shape == 2 ? operands[3] : operands[turn + 2];
        benchmark::DoNotOptimize(multiply(a.data(), n, b.data(), n, product.data()));
        benchmark::ClobberMemory();
        turn ^= 1;
    }
}

void runMpfrMul(benchmark::State& state, int32_t digits)
{
    // Bits for `digits` significant decimal digits.
    const mpfr_prec_t bits = static_cast<mpfr_prec_t>(digits * 3.3219280948873623) + 1;
    mpfr_t a, b, c;
    mpfr_inits2(bits, a, b, c, static_cast<mpfr_ptr>(nullptr));
    gmp_randstate_t random;
    gmp_randinit_default(random);
    mpfr_urandomb(a, random);
    mpfr_urandomb(b, random);
    for (auto _ : state) {
        mpfr_mul(c, a, b, MPFR_RNDZ);
        benchmark::ClobberMemory();
    }
    gmp_randclear(random);
    mpfr_clears(a, b, c, static_cast<mpfr_ptr>(nullptr));
}

void BM_MpfrMul_10012Digits(benchmark::State& state) { runMpfrMul(state, 10012); }
void BM_MpfrMul_254Digits(benchmark::State& state) { runMpfrMul(state, 254); }

} // namespace

BENCHMARK(BM_MyMul_10000Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyMul_10000Digits_Schoolbook)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyMul_Method)->Apply(methodShapes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeptProduct)->ArgsProduct({{128, 256, 384, 512, 768, 1024, 1300}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convmul_3336Limbs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvmulDigits)
    ->Args({1004, 0})
    ->Args({10004, 0})
    ->Args({10004, 1})
    ->Args({10004, 2})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrMul_10012Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyMul_250Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrMul_254Digits)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
