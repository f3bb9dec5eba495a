// The "=" run without the window: precision text -> working precision, the
// code-page trip of the expression, the result line, the auto-save line and
// the error flag after a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "expr/ansi_text.h"
#include "expr/evaluation_run.h"
#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "expr/input_bounds.h"
#include "tests/support/reference.h"

namespace {

class EvaluationRun : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
};

TEST_F(EvaluationRun, PrecisionFromText)
{
    const struct {
        const char* text;
        int32_t precision;
        bool capped;
    } cases[] = {
        {"", 40, false},
        {"0", 40, false},
        {"abc", 40, false},
        {"-0", 40, false},
        {"0.4", 40, false},       // D = 1.4 -> 1 -> 32
        {"1", 10, false},
        {"50", 59, false},
        {"9999", 10008, false},
        {"9999.4", 10008, false},
        {"9999.5", 10008, false}, // D = 10000.5 -> 10000, to even
        {"10000", 10008, true},
        {"123456", 10008, true},
        {"1e9", 10008, true},
        {"1e400", 10008, true},
        {"1e99999999999999999999", 10008, true},
        {"2.5", 12, false},       // D = 3.5 -> 4
        {"1.5", 10, false},       // D = 2.5 -> 2
        {"3.5", 12, false},       // D = 4.5 -> 4
        {".5", 10, false},
        {"-5", 4, false},
        {"-1.5", 8, false},       // D = -0.5 -> -0
        {"-7", 2, false},
        {"-8", 1, false},
        {"-9", 1, false},         // would be 0: kept at 1
        {"-1e300", 1, false},
        {"-1e400", 1, false},
        {"1e-400", 40, false},
        {"  12abc", 21, false},
        {"1 2", 21, false},       // blanks inside the number are skipped
        {"\t+3", 12, false},
        {"3.", 12, false},
        {"1e", 10, false},
        {"1e1", 19, false},
        {"1E+1", 19, false},
        {"1D1", 19, false},
        {"2e-1", 40, false},      // 1.2 -> 1 -> 32
        {"12,5", 21, false},      // "," ends the number
        {"&H10", 40, false},
    };
    for (const auto& c : cases) {
        bool capped = !c.capped;
        EXPECT_EQ(precisionFromText(c.text, &capped), c.precision) << "\"" << c.text << "\"";
        EXPECT_EQ(capped, c.capped) << "\"" << c.text << "\"";
    }
    EXPECT_EQ(precisionFromText("7", nullptr), 16);
}

TEST_F(EvaluationRun, ResultLine)
{
    const RunResult run = evaluationRun("1+2", "");
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.expressionText, "1+2");
    EXPECT_EQ(run.resultText, "3.0");
    EXPECT_EQ(run.resultLine(), "1+2 =3.0");
    EXPECT_FALSE(run.precisionCapped);
    EXPECT_TRUE(evaluationRun("1+2", "123456").precisionCapped);
}

// The precision text decides the digits shown: a 60-digit numeral comes back
// with as many significant digits as D says.
TEST_F(EvaluationRun, PrecisionDecidesTheDigitsShown)
{
    const std::string ones(60, '1');
    const struct {
        const char* precisionText;
        size_t digits;
    } cases[] = {{"", 32}, {"5", 6}, {"2.5", 4}, {"1.5", 2}, {"0", 32}, {"58", 59}};
    for (const auto& c : cases) {
        const RunResult run = evaluationRun(ones + "*1", c.precisionText);
        ASSERT_TRUE(run.ok) << c.precisionText;
        const std::string mantissa = run.resultText.substr(0, run.resultText.find('E'));
        EXPECT_EQ(static_cast<size_t>(std::count(mantissa.begin(), mantissa.end(), '1')), c.digits)
            << c.precisionText << ": " << run.resultText;
        EXPECT_EQ(run.resultText.substr(run.resultText.find('E')), "E59") << c.precisionText;
    }
}

TEST_F(EvaluationRun, ErrorFlagIsClearedAfterAFailure)
{
    for (const char* failing : {"((1)", "1+", "5/0", "1.2.3", "", "2*-3"}) {
        RecordingPort port;
        const RunResult run = evaluationRun(failing, "");
        EXPECT_FALSE(run.ok) << failing;
        EXPECT_TRUE(run.resultText.empty()) << failing;
        EXPECT_EQ(port.messages.size(), 1u) << failing;
        EXPECT_EQ(errorFlag, 0) << failing;
        const RunResult next = evaluationRun("2*3", "");
        EXPECT_TRUE(next.ok) << "after " << failing;
        EXPECT_EQ(next.resultText, "6.0");
    }
}

// Texts whose reading would cost more memory than the bound allows are
// refused before they are read, also when memories make them long; a text
// right at the bound is evaluated. Blanks make the long texts cheap to read.
TEST_F(EvaluationRun, LongTextsAreRefusedUpFront)
{
    const std::string atBound = "1+1" + std::string(kMaxExpressionBytes - 3, ' ');
    const std::string memoryA = "1" + std::string(kMaxExpressionBytes / 4, ' ');
    const struct {
        std::string expression;
        const char* result; // nullptr: refused for its length
    } cases[] = {
        {atBound, "2.0"},
        {atBound + " ", nullptr},
        {"A+A+A", "3.0"},
        {"A+A+A+A+A", nullptr},
        {"(A+A+A)*J", nullptr}, // J brings in A's text once more per use
    };
    memoryText[0] = memoryA;
    memoryText[9] = "A+A";
    for (const auto& c : cases) {
        RecordingPort port;
        const RunResult run = evaluationRun(c.expression, "");
        const std::string shown = c.expression.substr(0, 12);
        EXPECT_EQ(run.ok, c.result != nullptr) << shown;
        EXPECT_EQ(errorFlag, 0) << shown;
        if (c.result != nullptr) {
            EXPECT_EQ(run.resultText, c.result) << shown;
            continue;
        }
        ASSERT_EQ(port.messages.size(), 1u) << shown;
        EXPECT_EQ(port.messages[0].first, kExpressionTooLongMessage) << shown;
    }
    memoryText = {};
}

TEST_F(EvaluationRun, CodePageTrip)
{
    const struct {
        std::string typed;
        std::string read;
    } cases[] = {
        {"2π+9√-30°15′20″", "2π+9√-30°15′20″"}, // the keypad's symbols exist in CP936
        {"1+2中", "1+2中"},
        {"5€", "5€"},
        {"1+2☃", "1+2?"},    // not in the code page
        {"1😀", "1?"},
        {"1+\xff" "2", "1+?2"}, // not UTF-8
        {"\xe4\xb8", "??"},      // a cut sequence
        {"\xc0\xaf", "??"},      // an overlong "/"
        {"\xed\xa0\x80", "???"}, // a surrogate
        {std::string("1\0" "2", 3), std::string("1\0" "2", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ansiRoundTrip(c.typed), c.read) << c.typed;

    // What the trip loses is not evaluated as "?" but refused.
    RecordingPort port;
    const RunResult run = evaluationRun("1+\xff" "2", "");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(port.messages.size(), 1u);
}

TEST_F(EvaluationRun, AutoSaveGetsTheResultCutTo100Digits)
{
    std::vector<std::string> saved;
    const AutoSaveHook hook = [&](const std::string& line) { saved.push_back(line); };

    const RunResult small = evaluationRun("1+2", "", hook);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], small.resultLine());

    std::string numeral;
    for (int k = 0; numeral.size() < 150; ++k)
        numeral += static_cast<char>('1' + k % 9); // no zero to be dropped at the cuts
    const RunResult big = evaluationRun(numeral + "*1", "200", hook);
    ASSERT_TRUE(big.ok);
    ASSERT_EQ(saved.size(), 2u);
    const std::string prefix = big.expressionText + " =";
    ASSERT_EQ(saved[1].substr(0, prefix.size()), prefix);
    const std::string savedNumber = saved[1].substr(prefix.size());
    // 1.234...E149 with 100 digits in the log, 150 in the result.
    EXPECT_EQ(savedNumber, "1." + numeral.substr(1, 99) + "E149");
    EXPECT_EQ(big.resultText, "1." + numeral.substr(1, 149) + "E149");

    RecordingPort port;
    evaluationRun("1+", "", hook);
    EXPECT_EQ(saved.size(), 2u);
}

} // namespace
