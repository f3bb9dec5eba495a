// Stopping a run from another thread: each family of long computations at
// 10,000 digits notices the request soon, unwinds without a message, and
// leaves the core ready for the next run.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "expr/evaluation_run.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"
#include "bignum/stop_request.h"

namespace {

class StopRequest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetCoreForTest();
        clearStopRequest();
    }
    void TearDown() override { clearStopRequest(); }
};

// Each expression takes well over a second at 10,000 digits, so the request
// always comes in the middle of the loops named.
const char* const kLongRuns[] = {
    "exp(1.1)+exp(1.2)+exp(1.3)+exp(1.4)+exp(1.5)+exp(1.6)+exp(1.7)+exp(1.8)",        // series, powers
    "ln(3)+ln(5)+ln(7)+ln(11)+ln(13)+ln(17)+ln(19)+ln(23)",                            // roots, series
    "sin(1.1)+sin(1.2)+sin(1.3)+sin(1.4)+sin(1.5)+sin(1.6)+sin(1.7)+sin(1.8)",        // triple steps
    "atan(0.31)+atan(0.32)+atan(0.33)+atan(0.34)+atan(0.35)+atan(0.36)",              // arctangent levels
    "yroot(7,3)+yroot(11,3)+yroot(13,3)+yroot(17,3)+yroot(19,3)+yroot(23,3)",         // Newton chains
    "1/3.7+1/7.3+3^0.37+5^0.73+7^0.37+11^0.73+13^0.37+17^0.73+19^0.37+23^0.73",       // division, powers
    "39999!/39998!+39997!/39996!+39995!/39994!+39993!/39992!+39991!/39990!",         // factorial blocks
};

TEST_F(StopRequest, LongRunsStopSoonAndSilently)
{
    for (const char* expression : kLongRuns) {
        SCOPED_TRACE(expression);
        RecordingPort port;
        auto run = std::async(std::launch::async, [expression] { return evaluationRun(expression, "10000"); });
        ASSERT_EQ(run.wait_for(std::chrono::milliseconds(30)), std::future_status::timeout) << "finished too soon";
        requestStop();
        // A generous bound: this checks that the loops look at the request,
        // not how fast they do.
        ASSERT_EQ(run.wait_for(std::chrono::seconds(1)), std::future_status::ready);
        const RunResult result = run.get();
        EXPECT_TRUE(result.stopped);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(port.messages.empty()) << port.messages.front().first;
        EXPECT_EQ(errorFlag, 0);
        EXPECT_FALSE(stopRequested());
    }
}

// A finished run is not touched by a request that came too late, and the
// next run is not ended by it once the request is withdrawn.
TEST_F(StopRequest, RequestOutsideARun)
{
    requestStop();
    clearStopRequest();
    const RunResult run = evaluationRun("2+3", "");
    EXPECT_TRUE(run.ok);
    EXPECT_FALSE(run.stopped);

    // A failure that is no stop says so.
    RecordingPort port;
    const RunResult failed = evaluationRun("(2", "");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.stopped);
    EXPECT_EQ(port.messages.size(), 1u);
}

} // namespace
