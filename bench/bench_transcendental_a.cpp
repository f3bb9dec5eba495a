// exp, ln, the cube root and sinh at the sizes of the performance targets,
// each next to MPFR computing the same value to the digits the routine keeps,
// so the ratio can be read off one run:
//   - exp(1.5), ln(2), cuberoot(2), sinh(1) at 1,000 and 10,000 shown digits;
//   - the pieces of ln(2) at 10,000 digits: the square roots the series
//     needs, and the series itself.
// The precisions are those the evaluation run sets for the precision box.
// Whole-process timings against GNU calc: bench/transcendental_vs_calc.sh.
#include <benchmark/benchmark.h>
#include <mpfr.h>

#include "funcs/exponential.h"
#include "bignum/globals.h"
#include "funcs/hyperbolic.h"
#include "funcs/logarithm.h"
#include "funcs/nth_root.h"
#include "funcs/square_root.h"
#include "bench/bench_support.h"
#include "expr/startup.h"

namespace {



void runRoutine(benchmark::State& state, BigNum (*routine)(const BigNum&), const char* argument, int32_t box)
{
    prepareCore(precisionForBox(box));
    const BigNum x = myStrToNum(argument);
    for (auto _ : state)
        benchmark::DoNotOptimize(routine(x));
    if (errorFlag != 0)
        state.SkipWithError("the routine reported an error");
}

enum class Reference { Exp, Ln, Cbrt, Sinh };

void runMpfr(benchmark::State& state, Reference f, const char* argument, int32_t box)
{
    const mpfr_prec_t bits = bitsFor(precisionForBox(box));
    mpfr_t x, r;
    mpfr_inits2(bits, x, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(x, argument, 10, MPFR_RNDN);
    for (auto _ : state) {
        // MPFR caches constants such as log 2 between calls; clearing the
        // cache makes every iteration compute them as a fresh process does.
        mpfr_free_cache();
        switch (f) {
        case Reference::Exp: mpfr_exp(r, x, MPFR_RNDZ); break;
        case Reference::Ln: mpfr_log(r, x, MPFR_RNDZ); break;
        case Reference::Cbrt: mpfr_cbrt(r, x, MPFR_RNDZ); break;
        case Reference::Sinh: mpfr_sinh(r, x, MPFR_RNDZ); break;
        }
        benchmark::DoNotOptimize(r);
    }
    mpfr_clears(x, r, static_cast<mpfr_ptr>(nullptr));
}

void BM_Exp_1_5_1000(benchmark::State& s) { runRoutine(s, myExp, "1.5", 1000); }
void BM_Exp_1_5_10000(benchmark::State& s) { runRoutine(s, myExp, "1.5", 10000); }
void BM_Mpfr_Exp_1_5_1000(benchmark::State& s) { runMpfr(s, Reference::Exp, "1.5", 1000); }
void BM_Mpfr_Exp_1_5_10000(benchmark::State& s) { runMpfr(s, Reference::Exp, "1.5", 10000); }

void BM_Ln2_1000(benchmark::State& s) { runRoutine(s, myLn, "2", 1000); }
void BM_Ln2_10000(benchmark::State& s) { runRoutine(s, myLn, "2", 10000); }
void BM_Mpfr_Ln2_1000(benchmark::State& s) { runMpfr(s, Reference::Ln, "2", 1000); }
void BM_Mpfr_Ln2_10000(benchmark::State& s) { runMpfr(s, Reference::Ln, "2", 10000); }

void BM_CubeRoot2_1000(benchmark::State& s) { runRoutine(s, myCubeRoot, "2", 1000); }
void BM_CubeRoot2_10000(benchmark::State& s) { runRoutine(s, myCubeRoot, "2", 10000); }
void BM_Mpfr_CubeRoot2_1000(benchmark::State& s) { runMpfr(s, Reference::Cbrt, "2", 1000); }
void BM_Mpfr_CubeRoot2_10000(benchmark::State& s) { runMpfr(s, Reference::Cbrt, "2", 10000); }

void BM_Sinh1_1000(benchmark::State& s) { runRoutine(s, mySinh, "1", 1000); }
void BM_Sinh1_10000(benchmark::State& s) { runRoutine(s, mySinh, "1", 10000); }
void BM_Mpfr_Sinh1_1000(benchmark::State& s) { runMpfr(s, Reference::Sinh, "1", 1000); }
void BM_Mpfr_Sinh1_10000(benchmark::State& s) { runMpfr(s, Reference::Sinh, "1", 10000); }

// The 240 square roots ln takes at 10,000 digits, on their own: most of
// ln's time goes to them.
void BM_Ln2_SquareRoots_10000(benchmark::State& state)
{
    prepareCore(precisionForBox(10000) + 100);
    const BigNum two = myStrToNum("2");
    for (auto _ : state) {
        BigNum m = two;
        for (int i = 0; i < 240; ++i)
            m = mySqrt(m);
        benchmark::DoNotOptimize(m);
    }
}

BENCHMARK(BM_Exp_1_5_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Exp_1_5_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exp_1_5_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Exp_1_5_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ln2_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Ln2_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ln2_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Ln2_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ln2_SquareRoots_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CubeRoot2_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_CubeRoot2_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CubeRoot2_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_CubeRoot2_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sinh1_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Sinh1_1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sinh1_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mpfr_Sinh1_10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
