// Square roots, powers and factorials at the sizes of the performance targets,
// each next to MPFR computing the same value to the digits the routine keeps,
// so the ratio can be read off one run:
//   - sqrt(2) and 2^0.5 at 1,000 and 10,000 shown digits;
//   - 40000! at the default precision and at 10,000 shown digits;
//   - 3^1000000 at the default precision;
//   - the pieces of 2^0.5 at 10,000 digits: one integer square root through
//     the text adapter, and one binomial series.
// The precisions are those the evaluation run sets for the precision box.
#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <string>
#include <vector>

#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/gmp_sqrt.h"
#include "funcs/power.h"
#include "funcs/square_root.h"
#include "bench/bench_support.h"
#include "expr/startup.h"

namespace {


BigNum decimal(const char* text) { return myStrToNum(text); }


void reportError(benchmark::State& state)
{
    if (errorFlag != 0)
        state.SkipWithError("the routine reported an error");
}

// ---- square root of 2 ----

void runSqrt2(benchmark::State& state, int32_t box)
{
    prepareCore(precisionForBox(box));
    const BigNum two = decimal("2");
    for (auto _ : state)
        benchmark::DoNotOptimize(mySqrt(two));
    reportError(state);
}

void runMpfrSqrt2(benchmark::State& state, int32_t box)
{
    mpfr_t r;
    mpfr_init2(r, bitsFor(precisionForBox(box)));
    for (auto _ : state) {
        mpfr_sqrt_ui(r, 2, MPFR_RNDZ);
        benchmark::DoNotOptimize(r);
    }
    mpfr_clear(r);
}

void BM_Sqrt2_1000(benchmark::State& s) { runSqrt2(s, 1000); }
void BM_Sqrt2_10000(benchmark::State& s) { runSqrt2(s, 10000); }
void BM_Mpfr_Sqrt2_1000(benchmark::State& s) { runMpfrSqrt2(s, 1000); }
void BM_Mpfr_Sqrt2_10000(benchmark::State& s) { runMpfrSqrt2(s, 10000); }

// ---- 2^0.5 ----

void runHalfPower(benchmark::State& state, int32_t box)
{
    prepareCore(precisionForBox(box));
    const BigNum two = decimal("2");
    const BigNum half = decimal("0.5");
    for (auto _ : state)
        benchmark::DoNotOptimize(myPower(two, half));
    reportError(state);
}

void runMpfrHalfPower(benchmark::State& state, int32_t box)
{
    const mpfr_prec_t bits = bitsFor(precisionForBox(box));
    mpfr_t r, x, y;
    mpfr_inits2(bits, r, x, y, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_ui(x, 2, MPFR_RNDN);
    mpfr_set_d(y, 0.5, MPFR_RNDN);
    for (auto _ : state) {
        mpfr_pow(r, x, y, MPFR_RNDZ);
        benchmark::DoNotOptimize(r);
    }
    mpfr_clears(r, x, y, static_cast<mpfr_ptr>(nullptr));
}

void BM_Power2Half_1000(benchmark::State& s) { runHalfPower(s, 1000); }
void BM_Power2Half_10000(benchmark::State& s) { runHalfPower(s, 10000); }
void BM_Mpfr_Power2Half_1000(benchmark::State& s) { runMpfrHalfPower(s, 1000); }
void BM_Mpfr_Power2Half_10000(benchmark::State& s) { runMpfrHalfPower(s, 10000); }

// ---- 40000! ----

void runFact40000(benchmark::State& state, int32_t box)
{
    prepareCore(precisionForBox(box));
    const BigNum n = decimal("40000");
    for (auto _ : state)
        benchmark::DoNotOptimize(myFact(n));
    reportError(state);
}

void runMpfrFact40000(benchmark::State& state, int32_t box)
{
    mpfr_t r;
    mpfr_init2(r, bitsFor(precisionForBox(box)));
    for (auto _ : state) {
        mpfr_fac_ui(r, 40000, MPFR_RNDZ);
        benchmark::DoNotOptimize(r);
    }
    mpfr_clear(r);
}

void BM_Fact40000_Default(benchmark::State& s) { runFact40000(s, 0); }
void BM_Fact40000_10000(benchmark::State& s) { runFact40000(s, 10000); }
void BM_Mpfr_Fact40000_Default(benchmark::State& s) { runMpfrFact40000(s, 0); }
void BM_Mpfr_Fact40000_10000(benchmark::State& s) { runMpfrFact40000(s, 10000); }

// ---- 3^1000000 ----

void BM_Power3To1000000_Default(benchmark::State& state)
{
    prepareCore(precisionForBox(0));
    const BigNum three = decimal("3");
    const BigNum million = decimal("1000000");
    for (auto _ : state)
        benchmark::DoNotOptimize(myPower(three, million));
    reportError(state);
}

void BM_Mpfr_Power3To1000000_Default(benchmark::State& state)
{
    mpfr_t r;
    mpfr_init2(r, bitsFor(precisionForBox(0)));
    for (auto _ : state) {
        mpfr_ui_pow_ui(r, 3, 1000000, MPFR_RNDZ);
        benchmark::DoNotOptimize(r);
    }
    mpfr_clear(r);
}

// ---- the pieces of 2^0.5 at 10,000 digits ----

// One root as myFracPower takes it: about 24,300 digits through the text
// adapter (the conversions to and from binary included).
void BM_GmpzSqrtText_24300Digits(benchmark::State& state)
{
    std::string radicand = "14142135623730950488";
    radicand.resize(24300, '7');
    std::vector<char> buffer(radicand.size() + 4);
    for (auto _ : state) {
        std::copy(radicand.begin(), radicand.end(), buffer.begin());
        buffer[radicand.size()] = '\0';
        benchmark::DoNotOptimize(gmpz_sqrt(buffer.data()));
    }
}

// One series as myFracPower calls it: z = 1 + 2.2e-49..., at 10,000 shown
// digits plus the power routine's 128 guard digits.
void BM_BinomialSeries_10000(benchmark::State& state)
{
    prepareCore(precisionForBox(10000) + kFracPowerGuardDigits);
    std::string z = "1." + std::string(48, '0') + "2";
    for (int i = 0; i < 10100; ++i)
        z += static_cast<char>('0' + (i * 7) % 10);
    const BigNum zz = decimal(z.c_str());
    const BigNum half = decimal("0.5");
    for (auto _ : state)
        benchmark::DoNotOptimize(myBinomialPower(zz, half));
    reportError(state);
}

} // namespace

BENCHMARK(BM_Sqrt2_1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mpfr_Sqrt2_1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sqrt2_10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mpfr_Sqrt2_10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Power2Half_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Power2Half_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Power2Half_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Power2Half_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fact40000_Default)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Fact40000_Default)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fact40000_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Fact40000_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Power3To1000000_Default)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mpfr_Power3To1000000_Default)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GmpzSqrtText_24300Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BinomialSeries_10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
