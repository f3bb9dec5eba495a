// Quotients at the sizes the calculator meets, next to MPFR's division at the
// same precision, with the method myDiv took in each label:
//   - 1/7 and 2/3 at workPrecision 1009 and 10008 (what -p 1000 and -p 10000
//     give): short divisors, so long division;
//   - the same quotients with the divisor stored with 300 more zeros, which
//     sends them to the Newton reciprocal at both precisions;
//   - two random 10,000-digit operands at 10008: the reciprocal, with its
//     products by FFT, and once more with the FFT library switched off;
//   - the 1040-digit seed alone;
//   - mpfr_div at the digits myDiv keeps (workPrecision + 4);
//   - myMOD of a 10,000-digit dividend scaled by 10^k by a 10,000-digit
//     divisor, whose integer quotient of k digits is computed in full (the
//     working precision raised to it), next to GMP's mpz_tdiv_qr of the same
//     integers; and 10^k mod 7 at the default precision.
#include <benchmark/benchmark.h>
#include <gmp.h>
#include <mpfr.h>

#include <random>
#include <string>

#include "funcs/division.h"
#include "funcs/division_testing.h"
#include "bignum/fft_binding.h"
#include "bignum/fft_binding_testing.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "bench/bench_support.h"
#include "expr/startup.h"

namespace {


std::string randomMantissa(std::mt19937_64& rng, int32_t digits)
{
    std::string d = "0.";
    d += static_cast<char>('1' + rng() % 9);
    for (int32_t i = 1; i < digits; ++i)
        d += static_cast<char>('0' + rng() % 10);
    return d;
}

void runMyDiv(benchmark::State& state, const std::string& a, const std::string& b, int32_t precision,
              bool schoolbookOnly = false)
{
    prepareCore(precision);
    const BigNum x = myStrToNum(a);
    const BigNum y = myStrToNum(b);
    forceSchoolbookForTest(schoolbookOnly);
    const DivisionPathCounts before = divisionPathCounts();
    for (auto _ : state) {
        BigNum q = myDiv(x, y);
        benchmark::DoNotOptimize(q);
    }
    forceSchoolbookForTest(false);
    const DivisionPathCounts after = divisionPathCounts();
    std::string label = after.reciprocal > before.reciprocal ? "Newton reciprocal" : "long division";
    if (after.exactChecks > before.exactChecks)
        label += " + exact check";
    if (after.reciprocal > before.reciprocal)
        label += schoolbookOnly ? ", schoolbook products" : (fftLibraryAvailable() ? ", FFT products" : ", no FFT library");
    state.SetLabel(label);
    if (errorFlag != 0)
        state.SkipWithError("the division reported an error");
}

const std::string kZeros(300, '0');

void BM_MyDiv_1over7_1000(benchmark::State& s) { runMyDiv(s, "1", "7", 1009); }
void BM_MyDiv_2over3_1000(benchmark::State& s) { runMyDiv(s, "2", "3", 1009); }
void BM_MyDiv_1over7_10000(benchmark::State& s) { runMyDiv(s, "1", "7", 10008); }
void BM_MyDiv_2over3_10000(benchmark::State& s) { runMyDiv(s, "2", "3", 10008); }
void BM_MyDiv_1over7_1000_Newton(benchmark::State& s) { runMyDiv(s, "1" + kZeros, "7" + kZeros, 1009); }
void BM_MyDiv_2over3_1000_Newton(benchmark::State& s) { runMyDiv(s, "2" + kZeros, "3" + kZeros, 1009); }
void BM_MyDiv_1over7_10000_Newton(benchmark::State& s) { runMyDiv(s, "1" + kZeros, "7" + kZeros, 10008); }
void BM_MyDiv_2over3_10000_Newton(benchmark::State& s) { runMyDiv(s, "2" + kZeros, "3" + kZeros, 10008); }

void runLongOperands(benchmark::State& state, bool schoolbookOnly)
{
    std::mt19937_64 rng(3);
    const std::string a = randomMantissa(rng, 10000);
    const std::string b = randomMantissa(rng, 10000);
    runMyDiv(state, a, b, 10008, schoolbookOnly);
}

void BM_MyDiv_10000DigitOperands(benchmark::State& s) { runLongOperands(s, false); }
void BM_MyDiv_10000DigitOperands_NoFft(benchmark::State& s) { runLongOperands(s, true); }

void BM_ReciprocalSeed(benchmark::State& state)
{
    prepareCore(10008);
    std::mt19937_64 rng(4);
    const BigNum b = myStrToNum(randomMantissa(rng, 10000));
    for (auto _ : state) {
        BigNum x0 = myEXCEOTds(b);
        benchmark::DoNotOptimize(x0);
    }
}

void runMpfrDiv(benchmark::State& state, const char* a, const char* b, int32_t digits)
{
    const mpfr_prec_t bits = static_cast<mpfr_prec_t>(digits * 3.3219280948873623) + 1;
    mpfr_t x, y, q;
    mpfr_inits2(bits, x, y, q, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(x, a, 10, MPFR_RNDN);
    mpfr_set_str(y, b, 10, MPFR_RNDN);
    for (auto _ : state) {
        mpfr_div(q, x, y, MPFR_RNDZ);
        benchmark::ClobberMemory();
    }
    mpfr_clears(x, y, q, static_cast<mpfr_ptr>(nullptr));
}

void BM_MpfrDiv_1over7_1013(benchmark::State& s) { runMpfrDiv(s, "1", "7", 1013); }
void BM_MpfrDiv_1over7_10012(benchmark::State& s) { runMpfrDiv(s, "1", "7", 10012); }

void BM_MpfrDiv_10000DigitOperands(benchmark::State& state)
{
    std::mt19937_64 rng(3);
    const std::string a = randomMantissa(rng, 10000);
    const std::string b = randomMantissa(rng, 10000);
    runMpfrDiv(state, a.c_str(), b.c_str(), 10012);
}

// a = A x 10^k with A of `digits` digits, b of `digits` digits.
struct LongQuotientOperands {
    std::string a, b;
};

LongQuotientOperands longQuotientOperands(int32_t digits, int64_t k)
{
    std::mt19937_64 rng(5);
    const std::string a = randomMantissa(rng, digits).substr(2);
    const std::string b = randomMantissa(rng, digits).substr(2);
    return {a + std::string(static_cast<size_t>(k), '0'), b};
}

void BM_MyMod_LongQuotient(benchmark::State& state)
{
    const int64_t k = state.range(0);
    const int32_t digits = static_cast<int32_t>(state.range(1));
    prepareCore(digits == 1 ? precisionForBox(0) : 10008);
    const LongQuotientOperands o = digits == 1 ? LongQuotientOperands{"1" + std::string(static_cast<size_t>(k), '0'), "7"}
                                               : longQuotientOperands(digits, k);
    const BigNum a = myStrToNum(o.a);
    const BigNum b = myStrToNum(o.b);
    for (auto _ : state) {
        QuotRem qr = myMOD(a, b);
        benchmark::DoNotOptimize(qr);
    }
    if (errorFlag != 0)
        state.SkipWithError("myMOD reported an error");
}

void BM_GmpTdivQr_LongQuotient(benchmark::State& state)
{
    const int64_t k = state.range(0);
    const int32_t digits = static_cast<int32_t>(state.range(1));
    const LongQuotientOperands o = digits == 1 ? LongQuotientOperands{"1" + std::string(static_cast<size_t>(k), '0'), "7"}
                                               : longQuotientOperands(digits, k);
    mpz_t a, b, q, r;
    mpz_inits(a, b, q, r, nullptr);
    mpz_set_str(a, o.a.c_str(), 10);
    mpz_set_str(b, o.b.c_str(), 10);
    for (auto _ : state) {
        mpz_tdiv_qr(q, r, a, b);
        benchmark::ClobberMemory();
    }
    mpz_clears(a, b, q, r, nullptr);
}

} // namespace

BENCHMARK(BM_MyMod_LongQuotient)->Args({50, 1})->Args({20000, 1})->Args({199990, 1})
    ->Args({20000, 10000})->Args({199990, 10000})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GmpTdivQr_LongQuotient)->Args({50, 1})->Args({20000, 1})->Args({199990, 1})
    ->Args({20000, 10000})->Args({199990, 10000})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_1over7_1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_2over3_1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_1over7_1000_Newton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_2over3_1000_Newton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrDiv_1over7_1013)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_1over7_10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_2over3_10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_1over7_10000_Newton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_2over3_10000_Newton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrDiv_1over7_10012)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_10000DigitOperands)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MyDiv_10000DigitOperands_NoFft)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MpfrDiv_10000DigitOperands)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReciprocalSeed)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
