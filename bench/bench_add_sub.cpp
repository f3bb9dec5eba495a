// Sums of two 10,000-digit operands at workPrecision 10008, next to MPFR's
// addition at the same precision, so the ratio can be read off one run; and
// the series division of a 10,000-digit integer by a small odd number (as the
// arctangent series divides N!! by k), next to MPFR's division by an integer.
#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <random>
#include <string>

#include "bignum/globals.h"
#include "funcs/logarithm.h"
#include "expr/startup.h"

namespace {

std::string randomNumeral(std::mt19937_64& rng, int32_t digits, int32_t pointAt)
{
    std::string d(1, static_cast<char>('1' + rng() % 9));
    for (int32_t i = 1; i < digits; ++i)
        d += static_cast<char>('0' + rng() % 10);
    d.insert(d.begin() + pointAt, '.');
    return d;
}

void runOnTwo10000DigitOperands(benchmark::State& state, BigNum (*op)(const BigNum&, const BigNum&), uint64_t seed)
{
    startUp();
    workPrecision = 10008;
    std::mt19937_64 rng(seed);
    const BigNum a = myStrToNum(randomNumeral(rng, 10000, 4000));
    const BigNum b = myStrToNum(randomNumeral(rng, 10000, 6000));
    for (auto _ : state) {
        BigNum s = op(a, b);
        benchmark::DoNotOptimize(s);
    }
}

void BM_MyAdd_10000Digits(benchmark::State& state) { runOnTwo10000DigitOperands(state, myAdd, 3); }

// A counter's step at the same precision: the work follows the operands'
// digits, not the digits a result could keep.
void BM_MyAdd_ShortOperandsAt10000(benchmark::State& state)
{
    startUp();
    workPrecision = 10008;
    const BigNum a = myStrToNum("123456.789");
    for (auto _ : state) {
        BigNum s = myAdd(a, bigOne);
        benchmark::DoNotOptimize(s);
    }
}
void BM_MySub_10000Digits(benchmark::State& state) { runOnTwo10000DigitOperands(state, mySub, 4); }

void BM_MpfrAdd_10012Digits(benchmark::State& state)
{
    std::mt19937_64 rng(3);
    const mpfr_prec_t bits = 10012 * 3322 / 1000 + 1;
    mpfr_t a, b, s;
    mpfr_inits2(bits, a, b, s, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(a, randomNumeral(rng, 10000, 4000).c_str(), 10, MPFR_RNDN);
    mpfr_set_str(b, randomNumeral(rng, 10000, 6000).c_str(), 10, MPFR_RNDN);
    for (auto _ : state) {
        mpfr_add(s, a, b, MPFR_RNDZ);
        benchmark::DoNotOptimize(s);
    }
    mpfr_clears(a, b, s, static_cast<mpfr_ptr>(nullptr));
}

void BM_MySeriesDiv_10000Digits(benchmark::State& state)
{
    startUp();
    workPrecision = 10008;
    std::mt19937_64 rng(7);
    const BigNum a = myStrToNum(randomNumeral(rng, 10000, 10000));
    const BigNum k = myStrToNum("2501");
    for (auto _ : state) {
        BigNum q = mySeriesDiv(a, k);
        benchmark::DoNotOptimize(q);
    }
}

void BM_MpfrDivUi_10012Digits(benchmark::State& state)
{
    std::mt19937_64 rng(7);
    const mpfr_prec_t bits = 10012 * 3322 / 1000 + 1;
    mpfr_t a, q;
    mpfr_inits2(bits, a, q, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(a, randomNumeral(rng, 10000, 10000).c_str(), 10, MPFR_RNDN);
    for (auto _ : state) {
        mpfr_div_ui(q, a, 2501, MPFR_RNDZ);
        benchmark::DoNotOptimize(q);
    }
    mpfr_clears(a, q, static_cast<mpfr_ptr>(nullptr));
}

// The numerals themselves: text to record, as every evaluation does.
void BM_MyStrToNum_10000Digits(benchmark::State& state)
{
    startUp();
    std::mt19937_64 rng(5);
    const std::string text = randomNumeral(rng, 10000, 5000);
    for (auto _ : state) {
        BigNum x = myStrToNum(text);
        benchmark::DoNotOptimize(x);
    }
}

void BM_MyNumToStr_10000Digits(benchmark::State& state)
{
    startUp();
    workPrecision = 10008;
    std::mt19937_64 rng(6);
    const BigNum x = myStrToNum(randomNumeral(rng, 10000, 5000));
    for (auto _ : state) {
        std::string t = myNumToStr(x);
        benchmark::DoNotOptimize(t);
    }
}

} // namespace

BENCHMARK(BM_MyAdd_10000Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyAdd_ShortOperandsAt10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MySub_10000Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrAdd_10012Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MySeriesDiv_10000Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrDivUi_10012Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyStrToNum_10000Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyNumToStr_10000Digits)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
