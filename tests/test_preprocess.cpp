// Pre-processing: typed text -> prepared text, and the codes for unbalanced
// brackets, a written division by zero and an empty expression.
#include <gtest/gtest.h>

#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "expr/preprocess.h"
#include "tests/support/reference.h"
#include "expr/utf8_text.h"

namespace {

class Preprocess : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
    void TearDown() override { memoryText = {}; }

    // Code and the text afterwards (the input itself when the code is not 0).
    std::pair<int16_t, std::string> prepare(const std::string& typed)
    {
        std::u32string text = decodeUtf8(typed);
        int32_t length = 12345;
        const int16_t code = myPreprocess(text, length);
        if (code == kPreprocessReady && errorFlag == 0)
            EXPECT_EQ(length, static_cast<int32_t>(text.size())) << typed;
        else
            EXPECT_EQ(length, 12345) << typed;
        return {code, encodeUtf8(text)};
    }
};

TEST_F(Preprocess, PreparedTexts)
{
    const struct {
        const char* typed;
        const char* prepared;
    } cases[] = {
        {"2(3+4)", "0+2*(0+3+4)"},
        {"-5", "0+0-5"},
        {"+3", "0+0+3"},
        {"1+2", "0+1+2"},
        {"(1+2)(3)", "0+(0+1+2)*(0+3)"},
        {"30°15′20″", "0+(30°+15′+20″)"},
        {"2-8°4′", "0+2-(8°+4′)"},
        {"sin30°15′", "0+sin30°+15′"},   // no bracket decides for the sine; the check reports it
        {"(1.5°30″)", "0+(0+(1.5°+30″))"},
        {"1″2", "0+1″2"},
        {"(-2)^2", "0+(0-2)^2"},
        {"2)sin(1", "0+2)*sin(0+1"},
        {"2E3", "0+2e3"},
        {"a*2", "0+a*2"},
        {"2 (3)", "0+2*(0+3)"},
        {"1\r\n+ 2", "0+1+2"},
        {"LN(1)", "0+ln(0+1)"},
        {"SIN(1)", "0+sn(0+1)"}, // I is a memory letter (empty here)
        {"(0.5)", "0+(0.5)"},
        {"(.5)", "0+(.5)"},
        {"(2)3", "0+(0+2)*3"},
        {"(x)y", "0+(x)*y"},
        {"((2))", "0+((0+2))"},
        {"5/0.5", "0+5/0.5"},
        {"5/07", "0+5/07"},
        {"5\\0", "0+5\\0"},
        {")(", "0+)*("},
        {"(+5)", "0+(0+5)"},
        {"mod(7,-2)", "0+mod(0+7,0-2)"},
        {"π2", "0+π2"},
        {"1,2\t3", "0+1,23"},
        {"（1＋2）×3÷４．５", "0+(0+1+2)*3/4.5"},
        {"(1)e2", "0+(0+1)e2"},   // a lone e stays as typed after ")"
        {"(1)exp1", "0+(0+1)*exp1"},
        {"1+2 =3.0 =3.0", "0+1+2"},
        {"2 =1.5E-7", "0+2"},
    };
    for (const auto& c : cases) {
        const auto [code, text] = prepare(c.typed);
        EXPECT_EQ(code, kPreprocessReady) << c.typed;
        EXPECT_EQ(text, c.prepared) << c.typed;
    }
}

TEST_F(Preprocess, RefusedTextsStayAsTyped)
{
    const struct {
        const char* typed;
        int16_t code;
    } cases[] = {
        {"5/0", kPreprocessDivisionByZero},   {"5/00", kPreprocessDivisionByZero},
        {"5/0.0", kPreprocessDivisionByZero}, {"5/0+1", kPreprocessDivisionByZero},
        {"5/0)", kPreprocessDivisionByZero},  {"5 / 0", kPreprocessDivisionByZero},
        {"5/0.", kPreprocessDivisionByZero},  {"(5/0)", kPreprocessDivisionByZero},
        {"((1)", kPreprocessUnbalanced},      {"1)", kPreprocessUnbalanced},
        {"2(", kPreprocessUnbalanced},        {"", kPreprocessEmpty},
        {"  \r\n ", kPreprocessEmpty},      {"1 =2+1", kPreprocessTextAfterResult},
        {"1=2=x", kPreprocessTextAfterResult}, {"1 =2", kPreprocessTextAfterResult},
        {"30°15", kPreprocessMalformedAngle}, {"1°2′3+1", kPreprocessMalformedAngle},
        {"π′17", kPreprocessMalformedAngle}, {"(1)°30′", kPreprocessMalformedAngle},
    };
    for (const auto& c : cases) {
        const auto [code, text] = prepare(c.typed);
        EXPECT_EQ(code, c.code) << c.typed;
        EXPECT_EQ(text, c.typed);
    }
}

TEST_F(Preprocess, MemoriesAreSubstitutedBeforeEverythingElse)
{
    memoryText[0] = "12";
    memoryText[1] = "";
    memoryText[4] = "7";
    memoryText[9] = "A+B";
    memoryText[3] = "SIN( 1 )";
    const struct {
        const char* typed;
        const char* prepared;
    } cases[] = {
        {"A*2", "0+12*2"},
        {"J", "0+12+"},    // memory J brings in A, which is expanded after it
        {"B5", "0+5"},     // an empty memory makes its letter disappear
        {"X+1", "0+7+1"},  // memory E is written X
        {"E", "0+e"},      // E is the exponent letter, not a memory
        {"D", "0+sin(0+1)"},
        {"2A", "0+212"},   // substitution is textual
    };
    for (const auto& c : cases) {
        const auto [code, text] = prepare(c.typed);
        EXPECT_EQ(code, kPreprocessReady) << c.typed;
        EXPECT_EQ(text, c.prepared) << c.typed;
    }
}

TEST_F(Preprocess, DoesNothingAfterAnError)
{
    errorFlag = -1;
    const auto [code, text] = prepare("((1)");
    EXPECT_EQ(code, kPreprocessReady);
    EXPECT_EQ(text, "((1)");
}

// Every insertion lands directly after its position, also when thousands of
// them follow one another.
TEST_F(Preprocess, ManyInsertions)
{
    std::string typed, prepared = "0+";
    for (int k = 0; k < 20000; ++k) {
        typed += "(7)";
        prepared += k + 1 < 20000 ? "(0+7)*" : "(0+7)";
    }
    const auto [code, text] = prepare(typed);
    EXPECT_EQ(code, kPreprocessReady);
    EXPECT_EQ(text, prepared);
}

} // namespace
