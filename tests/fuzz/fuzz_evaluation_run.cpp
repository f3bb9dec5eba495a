// The evaluation run as the "=" button drives it: the first line of the input
// is the precision text, the rest the expression. Every run must end with a
// result or at least one message, and leave the error flag cleared.
#include <string>

#include "expr/evaluation_run.h"
#include "tests/fuzz/fuzz_support.h"
#include "bignum/globals.h"

namespace {

// Long inputs and high precisions only make each execution slower; the
// parsing and the error paths are all reached well within these.
constexpr size_t kMaxInputBytes = 512;
constexpr int32_t kMaxFuzzPrecision = 200 + 8; // digits shown + hidden digits

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInputBytes)
        return 0;
    startCoreForFuzzing();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    const std::string precisionText = newline == std::string::npos ? std::string() : input.substr(0, newline);
    const std::string expression = newline == std::string::npos ? input : input.substr(newline + 1);
    if (precisionFromText(precisionText, nullptr) > kMaxFuzzPrecision)
        return 0;

    resetMessageCount();
    const RunResult run = evaluationRun(expression, precisionText);
    fuzzCheck(errorFlag == 0, "the error flag is set after the run");
    fuzzCheck(!run.stopped, "a run nobody asked to stop was stopped");
    if (run.ok)
        fuzzCheck(!run.resultText.empty(), "a successful run has no result text");
    else
        fuzzCheck(messageCount() >= 1, "a failed run showed no message");
    return 0;
}
