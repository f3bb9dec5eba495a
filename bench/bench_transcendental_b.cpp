// Sine, arctangent and arcsine at the sizes of the performance targets, each
// next to MPFR computing the same value to the digits the routine keeps, so
// the ratio can be read off one run:
//   - sin(1), atan(0.5), asin(0.5) at 1,000 and 10,000 shown digits;
//   - cos(1) and tan(1) at 10,000 shown digits;
//   - the pieces at 10,000 digits: the sine series of sin(1) after its
//     division by 3^65, and the arctangent series of the rest that atan(0.5)
//     leaves after the stored arctangents.
// The precisions are those the evaluation run sets for the precision box.
// Whole-process timings against GNU calc: bench/trig_cli_vs_calc.sh.
#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <string>

#include "bignum/globals.h"
#include "funcs/inverse_trig.h"
#include "funcs/sine_cosine.h"
#include "bench/bench_support.h"
#include "expr/startup.h"
#include "funcs/tangent.h"

namespace {



void skipOnError(benchmark::State& state)
{
    if (errorFlag != 0)
        state.SkipWithError("the routine reported an error");
}

using Routine = BigNum (*)(const BigNum&);
using MpfrRoutine = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

void runQuorra(benchmark::State& state, Routine f, const char* x, int32_t box)
{
    prepareCore(precisionForBox(box));
    const BigNum a = myStrToNum(x);
    for (auto _ : state)
        benchmark::DoNotOptimize(f(a));
    skipOnError(state);
}

void runMpfr(benchmark::State& state, MpfrRoutine f, const char* x, int32_t box)
{
    const mpfr_prec_t bits = bitsFor(precisionForBox(box));
    mpfr_t r, a;
    mpfr_inits2(bits, r, a, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(a, x, 10, MPFR_RNDN);
    for (auto _ : state) {
        f(r, a, MPFR_RNDZ);
        benchmark::DoNotOptimize(r);
    }
    mpfr_clears(r, a, static_cast<mpfr_ptr>(nullptr));
}

void BM_Sin1_1000(benchmark::State& s) { runQuorra(s, mysin, "1", 1000); }
void BM_Mpfr_Sin1_1000(benchmark::State& s) { runMpfr(s, mpfr_sin, "1", 1000); }
void BM_Sin1_10000(benchmark::State& s) { runQuorra(s, mysin, "1", 10000); }
void BM_Mpfr_Sin1_10000(benchmark::State& s) { runMpfr(s, mpfr_sin, "1", 10000); }
void BM_Cos1_10000(benchmark::State& s) { runQuorra(s, myCos, "1", 10000); }
void BM_Mpfr_Cos1_10000(benchmark::State& s) { runMpfr(s, mpfr_cos, "1", 10000); }
void BM_Tan1_10000(benchmark::State& s) { runQuorra(s, myTan, "1", 10000); }
void BM_Mpfr_Tan1_10000(benchmark::State& s) { runMpfr(s, mpfr_tan, "1", 10000); }

void BM_AtanHalf_1000(benchmark::State& s) { runQuorra(s, myAtan, "0.5", 1000); }
void BM_Mpfr_AtanHalf_1000(benchmark::State& s) { runMpfr(s, mpfr_atan, "0.5", 1000); }
void BM_AtanHalf_10000(benchmark::State& s) { runQuorra(s, myAtan, "0.5", 10000); }
void BM_Mpfr_AtanHalf_10000(benchmark::State& s) { runMpfr(s, mpfr_atan, "0.5", 10000); }

void BM_AsinHalf_1000(benchmark::State& s) { runQuorra(s, myAsin, "0.5", 1000); }
void BM_Mpfr_AsinHalf_1000(benchmark::State& s) { runMpfr(s, mpfr_asin, "0.5", 1000); }
void BM_AsinHalf_10000(benchmark::State& s) { runQuorra(s, myAsin, "0.5", 10000); }
void BM_Mpfr_AsinHalf_10000(benchmark::State& s) { runMpfr(s, mpfr_asin, "0.5", 10000); }

// A 10,000-digit argument of the given size: `lead` then digits of 1/7.
BigNum longArgument(const std::string& lead, int32_t digits)
{
    std::string text = lead;
    for (int32_t i = 0; static_cast<int32_t>(text.size()) < digits; ++i)
        text += "142857"[i % 6];
    return myStrToNum(text.c_str());
}

// The series of sin(1): t = 1/3^65 (about 9.7e-32), q = 335, at the
// general case's precision.
void BM_SinSeries_10000(benchmark::State& state)
{
    prepareCore(precisionForBox(10000) + 128);
    const BigNum t = [] {
        BigNum x = longArgument("97", 10140);
        x.exponent = -32;
        return x;
    }();
    for (auto _ : state)
        benchmark::DoNotOptimize(mySinSeries(t, 335));
    skipOnError(state);
}

// The series of the rest of atan(0.5) (about 3e-5), N = 2503 terms.
void BM_AtanSeries_10000(benchmark::State& state)
{
    prepareCore(precisionForBox(10000) + kAtanGuardDigits);
    const BigNum t = longArgument("0.00003", 10145);
    for (auto _ : state)
        benchmark::DoNotOptimize(myAtanSeries(t));
    skipOnError(state);
}

} // namespace

BENCHMARK(BM_Sin1_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Sin1_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sin1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Sin1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cos1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Cos1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tan1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Tan1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AtanHalf_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_AtanHalf_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AtanHalf_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_AtanHalf_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AsinHalf_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_AsinHalf_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AsinHalf_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_AsinHalf_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SinSeries_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AtanSeries_10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
