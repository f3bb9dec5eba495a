// How soon a stop request ends a run at 10,000 digits: the window's stop
// button promises a reaction within a tenth of a second. Each iteration starts
// a run on its own thread, asks it to stop after a delay that walks through
// the run (so the request lands in different loops), and times from the
// request to the run's return. The time shown is the mean; "max_ms" is the
// longest wait seen, "not_stopped" the runs that ended before the request.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>

#include "bench/bench_support.h"
#include "expr/evaluation_run.h"
#include "bignum/stop_request.h"

namespace {

using Clock = std::chrono::steady_clock;

void runStopLatency(benchmark::State& state, const char* expression)
{
    prepareCore(precisionForBox(10000));
    double longest = 0.0;
    int64_t step = 0;
    int64_t finishedFirst = 0;
    for (auto _ : state) {
        clearStopRequest();
        const auto delay = std::chrono::milliseconds(20 + (step++ * 97) % 500);
        auto run = std::async(std::launch::async, [expression] { return evaluationRun(expression, "10000"); });
        const bool stillRunning = run.wait_for(delay) == std::future_status::timeout;
        const Clock::time_point asked = Clock::now();
        requestStop();
        const RunResult result = run.get();
        const double seconds = std::chrono::duration<double>(Clock::now() - asked).count();
        if (!stillRunning || !result.stopped)
            ++finishedFirst;
        longest = std::max(longest, seconds);
        state.SetIterationTime(seconds);
    }
    clearStopRequest();
    state.counters["max_ms"] = longest * 1000.0;
    state.counters["not_stopped"] = static_cast<double>(finishedFirst);
}

void registerAll()
{
    const struct {
        const char* name;
        const char* expression;
    } runs[] = {
        {"exp", "exp(1.1)+exp(1.2)+exp(1.3)+exp(1.4)+exp(1.5)+exp(1.6)+exp(1.7)+exp(1.8)+exp(1.9)"},
        {"ln", "ln(3)+ln(5)+ln(7)+ln(11)+ln(13)+ln(17)"},
        {"sin", "sin(1.1)+sin(1.2)+sin(1.3)+sin(1.4)+sin(1.5)+sin(1.6)"},
        {"atan", "atan(0.31)+atan(0.32)+atan(0.33)+atan(0.34)+atan(0.35)"},
        {"yroot", "yroot(7,3)+yroot(11,3)+yroot(13,3)+yroot(17,3)+yroot(19,3)"},
        {"power", "3^0.37+5^0.73+7^0.37+11^0.73+13^0.37+17^0.73"},
        {"factorial", "39999!/39998!+39997!/39996!+39995!/39994!+39993!/39992!+39991!/39990!+"
                       "39989!/39988!+39987!/39986!+39985!/39984!"},
    };
    for (const auto& r : runs)
        benchmark::RegisterBenchmark((std::string("StopLatency/") + r.name).c_str(), runStopLatency, r.expression)
            ->UseManualTime()
            ->Iterations(12)
            ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
