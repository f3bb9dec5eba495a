// Whatever is typed, a run ends with a result or a message, and the error flag
// is clear for the next one: random bytes, broken UTF-8, very long and deeply
// nested texts, odd numerals and odd precision texts. Sizes are bounded so the
// suite also runs quickly under the sanitizers.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "expr/evaluation_run.h"
#include "expr/evaluator.h"
#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "tests/support/reference.h"

namespace {

class BadInput : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
    void TearDown() override { memoryText = {}; }

    // Runs once and checks the outcome; returns the run for further checks.
    static RunResult runChecked(const std::string& expression, const std::string& precisionText = "")
    {
        RecordingPort port;
        const RunResult run = evaluationRun(expression, precisionText);
        const std::string shown = expression.size() > 60 ? expression.substr(0, 60) + "..." : expression;
        if (run.ok)
            EXPECT_FALSE(run.resultText.empty()) << shown;
        else
            EXPECT_FALSE(port.messages.empty()) << shown;
        EXPECT_EQ(errorFlag, 0) << shown;
        return run;
    }
};


TEST_F(BadInput, RandomBytes)
{
    std::mt19937_64 rng(11);
    for (int round = 0; round < 400; ++round) {
        std::string text(rng() % 200, '\0');
        for (char& c : text)
            c = static_cast<char>(rng() % 256);
        runChecked(text);
    }
}

TEST_F(BadInput, RandomFragments)
{
    const std::vector<std::string> fragments = {
        "1", "23", "0", ".", "1.2.3", "+", "-", "*", "/", "\\", "(", ")", "^", "!", "√", "π", "°", "′", "″",
        "e", "E", "mod", "yroot", "sin", "natural", "foo", ",", " ", "\r\n", "A", "X", "J", "=", "\t", "中",
    };
    memoryText[0] = "(";
    memoryText[4] = "1+";
    memoryText[9] = "A)X";
    std::mt19937_64 rng(12);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t count = rng() % 40;
        for (size_t k = 0; k < count; ++k)
            text += fragments[rng() % fragments.size()];
        runChecked(text);
    }
}

TEST_F(BadInput, InvalidUtf8)
{
    for (const char* text : {"\xff", "1+\xfe\xff" "2", "\xc3", "(\xe2\x88)", "\xf0\x9f\x98", "\xed\xa0\x80+1",
                             "\xc0\xaf" "0", "5/\xc0\xb0", "\x80\x80\x80", "\xf4\x90\x80\x80"})
        runChecked(text);
}

TEST_F(BadInput, VeryLongTexts)
{
    const size_t n = 200000;
    EXPECT_FALSE(runChecked(repeat("1+", n / 2)).ok);           // too many operators
    EXPECT_TRUE(runChecked(std::string(n, '7')).ok);           // one long numeral
    EXPECT_TRUE(runChecked("0." + std::string(n, '0') + "1+1").ok);
    EXPECT_FALSE(runChecked(std::string(n, '(') + std::string(n, ')')).ok);
    EXPECT_FALSE(runChecked(repeat("(", 40000) + "1" + repeat(")", 40000)).ok);
    EXPECT_FALSE(runChecked(repeat(")", 40000) + "1" + repeat("(", 40000)).ok);
    EXPECT_TRUE(runChecked(repeat("(", 4000) + "1" + repeat(")", 4000)).ok);
    EXPECT_FALSE(runChecked(std::string(n, ' ')).ok);
    EXPECT_TRUE(runChecked(repeat("1 ", n / 2)).ok);
    EXPECT_FALSE(runChecked(repeat("x.5", n / 3)).ok);
    EXPECT_FALSE(runChecked(repeat("1.", n / 2)).ok);
    EXPECT_FALSE(runChecked(std::string(n, '-')).ok);
    runChecked(repeat("foo", n / 3));
    runChecked(repeat("/0", n / 2));
    runChecked(repeat("\\0", n / 2));
}

TEST_F(BadInput, OddNumerals)
{
    for (const char* text : {"1.2.3", "..", "1..", ".+.", "1.2.3.4.5*2", "(1.2.3)(4)", "1.2.3+1.2.3", "5/0.0.0"}) {
        SCOPED_TRACE(text);
        runChecked(text);
    }
}

TEST_F(BadInput, OddPrecisionTexts)
{
    for (const char* precision : {"-5", "1e9", "abc", "", "-1e300", "-9", "1e400", "\xff", "0x10", "nan", "inf"}) {
        for (const char* expression : {"1+2", "2*3", "1111111111111111111*3", "0.000001*7", "1.2.3", "((1)", "-0"}) {
            SCOPED_TRACE(std::string(precision) + " | " + expression);
            runChecked(expression, precision);
        }
    }
}

// The evaluator without the run: after any text the flag it leaves is either
// clear with a value, or set with at least one message.
TEST_F(BadInput, EvaluatorLeavesAValueOrAMessage)
{
    std::mt19937_64 rng(13);
    const std::string alphabet = "0123456789.+-*/\\()^!e,=x ";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const size_t length = rng() % 30;
        for (size_t k = 0; k < length; ++k)
            text += alphabet[rng() % alphabet.size()];
        RecordingPort port;
        const BigNum value = myEvaluate(text, 40);
        if (errorFlag == 0)
            EXPECT_FALSE(value.isEmpty()) << text;
        else
            EXPECT_FALSE(port.messages.empty()) << text;
        errorFlag = 0;
    }
}

} // namespace
