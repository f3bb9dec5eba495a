// Every typed text gives the value it means or a message, never a number it
// did not compute. Values are checked against an independent reading of the
// same text (tests/support/expression_reader), messages by their content.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "expr/evaluation_run.h"
#include "expr/evaluator.h"
#include "tests/support/expression_reader.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "tests/support/reference.h"
#include "funcs/square_root.h"
#include "expr/tokenizer.h"
#include "expr/well_formed.h"

namespace {

// Enough shown digits that a misreading cannot hide in the tolerance, few
// enough that the random texts run quickly.
constexpr const char* kPrecisionText = "30";

struct Outcome {
    bool ok = false;
    double value = 0.0;
    std::string message; // the one message of a failed run
    size_t messages = 0;
};

Outcome run(const std::string& typed, const std::string& precision = kPrecisionText)
{
    RecordingPort port;
    const RunResult r = evaluationRun(typed, precision);
    Outcome out;
    out.ok = r.ok;
    out.messages = port.messages.size();
    if (!port.messages.empty())
        out.message = port.messages.front().first;
    if (r.ok)
        out.value = std::strtod(r.resultText.c_str(), nullptr);
    EXPECT_EQ(errorFlag, 0) << typed;
    return out;
}

// The run's value equals the independent reading within the rounding of
// 30 digits against double precision.
void expectReadValue(const std::string& typed)
{
    const ReadValue expected = readExpression(typed);
    ASSERT_EQ(expected.status, ReadValue::Status::Value) << typed;
    const Outcome out = run(typed);
    ASSERT_TRUE(out.ok) << typed << ": " << out.message;
    EXPECT_LE(std::fabs(out.value - expected.value), 1e-10 * std::max(1.0, expected.scale))
        << typed << ": " << out.value << " against " << expected.value;
}

class TypedTexts : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(); }
    void TearDown() override { memoryText = {}; }
};

TEST_F(TypedTexts, WellFormedTextsKeepTheirValues)
{
    for (const char* typed : {
             "1-2-3", "2^3^2", "2+3*4", "(1+2)*(3+4)", "2^-3", "2^+3", "1e-5", "1E-5", "2.5e-2", "1e3", "9√", "5!",
             "3!!", "mod(7,3)", "mod(-7,2)", "mod(7.5,2)", "mod(123456789012,7)", "mod(7,-2)", "mod(1+2,3)", "yroot(3,8)", "yroot(3,-8)",
             "7\\2", "(-7)\\2", "7\\(-2)", "log100", "sin1", "sin(1+2)", "sin2^2", "2(3+4)", "(1+2)(3)", "(1+2)3",
             "2 (3)", "2 3", "(-2)^2", "-2^2", "+3", "(+5)", "30°15′20″", "3°30′", "2-8°4′", "-1°30″*2", "sin(30°)", "sin(30°15′)", "(sin30)°", "sin30^2", "-5", "1-(2-(3-4))", "007+.5",
             "π", "natural", "πe2", "2^-3e1", "2^-sin1", "2^-π", "exp(1)*ln(2)", "cuberoot(27)", "doujc(7)",
             "int(-2.5)+frac(2.75)", "angle(1)", "radian(180)", "atan1*4", "（1+2）*3", "2×3", "6÷2", "１．５＋２",
             "mod（7，3）", "sin(cos(1))", "2^0.5", "1+\r\n2", "1e2e1"})
        expectReadValue(typed);
}

TEST_F(TypedTexts, TextsThatAreNoExpressionGetAMessage)
{
    const struct {
        const char* typed;
        std::string message;
    } cases[] = {
        {"√9", postfixFirstMessage("√")},
        {"2+√9", postfixFirstMessage("√")},
        {"!5", postfixFirstMessage("!")},
        {"°30", postfixFirstMessage("°")},
        {"5/(0)", "除法子程序中除数为零"},
        {"7\\0", "myMOD除法子程序中除数为零"},
        {"5/0", kDivisionByZeroMessage},
        {"2sin(1)", missingOperatorMessage("2", "sin")},
        {"2π", missingOperatorMessage("2", "π")},
        {"π2", missingOperatorMessage("π", "2")},
        {"ππ", missingOperatorMessage("π", "π")},
        {"(1+1)π", missingOperatorMessage(")", "π")},
        {"1,2", kMisplacedCommaMessage},
        {"mod(7,3,1)", kMisplacedCommaMessage},
        {"2)sin(1", kUnbalancedMessage},
        {"foo(5)", unknownWordMessage("foo", false)},
        {"sqrt(4)+1", unknownWordMessage("sqrt", false)},
        {"SIN(1)", unknownWordMessage("sn", true)},
        {"*2", noLeftOperandMessage("*")},
        {"e2", noLeftOperandMessage("e")},
        {"(1/3)e2", kExponentPlacementMessage},
        {"2!e2", kExponentPlacementMessage},
        {"a*2", unknownWordMessage("a", false)},
        {"2*-3", kMissingOperandMessage},
        {"1+", kMissingOperandMessage},
        {"sin", kMissingOperandMessage},
        {"mod(7)", kMissingOperandMessage},
        {"yroot 5", twoArgumentFormMessage("yroot")},
        {"sin-1", functionArgumentMessage("sin")},
        {"()", kEmptyBracketsMessage},
        {"2^-(1+2)", signedOperandMessage("^")},
        {"1e-sin1", signedOperandMessage("e")},
        {"1+2☃", foreignCharacterMessage(U'☃')},
        {"1+2?", foreignCharacterMessage(U'?')},
        {"1+2 =3.0*2", kTextAfterResultMessage},
        {"2-8°4", kMalformedAngleMessage},
        {"sin30°", bareArgumentMessage("sin", "°")},
        {"sin30°15′", bareArgumentMessage("sin", "°")},
        {"ln5!", bareArgumentMessage("ln", "!")},
        {"sin1e-1°", bareArgumentMessage("sin", "°")},
        {"yroot(4,(-16))", kNegativeRadicandMessage},
        {"yroot(2,-4)", kNegativeRadicandMessage},
        {"doujc(5.5)", kFractionalFactorialMessage},
        {"1e2.7", "e后面的指数必须是整数"},
    };
    for (const auto& c : cases) {
        const Outcome out = run(c.typed);
        EXPECT_FALSE(out.ok) << c.typed;
        EXPECT_EQ(out.messages, 1u) << c.typed;
        EXPECT_EQ(out.message, c.message) << c.typed;
    }
}

// A result line evaluated again gives the same value: " =result" tails are
// the results of earlier presses, not part of the expression.
TEST_F(TypedTexts, ResultLinesEvaluateAgain)
{
    for (const char* typed : {"1+2=", "1+2 =3.0", "1+2 =3.0 =3.0", "2^10 =1.024E3", "-1-1 =-2.0"}) {
        const std::string expression = std::string(typed).substr(0, std::string(typed).find('='));
        const Outcome again = run(typed);
        ASSERT_TRUE(again.ok) << typed;
        EXPECT_EQ(again.value, run(expression).value) << typed;
    }
}

TEST_F(TypedTexts, NegativePrecisionIsRefused)
{
    for (const char* precision : {"-5", "-0.6", "-1e9"}) {
        const Outcome out = run("1/3", precision);
        EXPECT_FALSE(out.ok) << precision;
        EXPECT_EQ(out.message, kNegativePrecisionMessage) << precision;
    }
    for (const char* precision : {"", "0", "abc", "-0", "2.5"})
        EXPECT_TRUE(run("1/3", precision).ok) << precision;
}

// Random expressions of the whole language, written as a user may write them
// (implicit products, signs after "(" and ",", postfix operators, angle
// marks, the exponent letter), must read as the independent reader reads
// them.
class Generator {
public:
    explicit Generator(uint64_t seed) : rng_(seed) {}

    std::string expression(int depth)
    {
        std::string s = pick(4) == 0 ? "-" : "";
        const int terms = 1 + pick(3);
        for (int k = 0; k < terms; ++k)
            s += (k > 0 ? (pick(2) ? "+" : "-") : "") + term(depth);
        return s;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    std::string numeral()
    {
        static const char* const kNumerals[] = {"1", "2", "3", "7", "12", "0.5", ".25", "1.75", "007", "10", "0"};
        return kNumerals[pick(11)];
    }
    std::string positive()
    {
        static const char* const kPositive[] = {"1", "2", "3", "7", "12", "0.5", ".25", "1.75", "10"};
        return kPositive[pick(9)];
    }

    // Integer quotients, remainders and whole parts jump at whole numbers, so
    // they get operands that the arithmetic holds exactly: numerals joined by
    // + - *.
    std::string exact()
    {
        std::string s = (pick(3) == 0 ? "-" : "") + numeral();
        for (int k = pick(3); k > 0; --k)
            s += std::string(1, "+-*"[pick(3)]) + numeral();
        return s;
    }

    std::string term(int depth)
    {
        std::string s = factor(depth);
        const int more = pick(3);
        for (int k = 0; k < more; ++k) {
            switch (pick(4)) {
            case 0: s += "*" + factor(depth); break;
            case 1: s += "/" + positive(); break;
            case 2: s += "*(" + exact() + "\\" + positive() + ")"; break;
            default: s += "*(" + expression(depth - 1) + ")"; break;
            }
        }
        return s;
    }

    std::string factor(int depth)
    {
        std::string s = operand(depth);
        switch (pick(8)) {
        case 0: s += "^" + std::string(pick(2) ? "-" : "") + std::to_string(1 + pick(3)); break;
        case 1: s += "^0.5"; break;
        case 2: return std::to_string(pick(8)) + "!";
        case 3: return std::to_string(pick(12)) + "°" + std::to_string(pick(60)) + "′";
        case 4: return positive() + "√";
        default: break;
        }
        return s;
    }

    std::string operand(int depth)
    {
        static const char* const kBounded[] = {"sin", "cos", "atan", "tanh", "radian", "sinh"};
        static const char* const kPositiveOnly[] = {"ln", "log", "exp", "cuberoot"};
        if (depth <= 0)
            return numeral();
        switch (pick(10)) {
        case 0: return "(" + expression(depth - 1) + ")";
        case 1: return positive() + "(" + expression(depth - 1) + ")";
        case 2:
            if (pick(4) == 0) // whole and fractional parts only of exact values
                return std::string(pick(2) ? "int(" : "frac(") + exact() + ")";
            return std::string(kBounded[pick(6)]) + "(" + expression(depth - 1) + ")";
        case 3: return std::string(kPositiveOnly[pick(4)]) + positive();
        case 4: return "mod(" + exact() + "," + (pick(2) ? "-" : "") + positive() + ")";
        case 5: return "yroot(3," + expression(depth - 1) + ")";
        case 6: return positive() + "e" + (pick(2) ? "-" : "") + std::to_string(pick(4));
        case 7: return pick(2) ? "π" : "natural";
        default: return numeral();
        }
    }

    std::mt19937_64 rng_;
};

TEST_F(TypedTexts, RandomExpressionsReadAsWritten)
{
    Generator g(8);
    int compared = 0;
    int refused = 0;
    constexpr int kRounds = 600;
    for (int round = 0; round < kRounds; ++round) {
        const std::string typed = g.expression(3);
        const ReadValue expected = readExpression(typed);
        const Outcome out = run(typed);
        switch (expected.status) {
        case ReadValue::Status::NotAnExpression: ADD_FAILURE() << "generated a non-expression: " << typed; break;
        case ReadValue::Status::Undefined:
            // A negative square root, a factorial of a fraction: a message,
            // not a number.
            EXPECT_FALSE(out.ok) << typed << " gave " << out.value;
            break;
        case ReadValue::Status::Overflow: break;
        case ReadValue::Status::Value:
            if (!out.ok) {
                // A value beyond what a routine takes (exp of 10^20): a
                // refusal with its message is no wrong number, but rare.
                ++refused;
                EXPECT_EQ(out.messages, 1u) << typed;
                break;
            }
            EXPECT_LE(std::fabs(out.value - expected.value), 1e-9 * std::max(1.0, expected.scale))
                << typed << ": " << out.value << " against " << expected.value;
            ++compared;
            break;
        }
    }
    EXPECT_GT(compared, kRounds * 2 / 3);
    EXPECT_LT(refused, kRounds / 50);
}

// The same expressions broken in ways that leave no reading: each ends in
// exactly one message.
TEST_F(TypedTexts, RandomBrokenTextsGetOneMessage)
{
    const char* const kBreaks[][2] = {{"*", ""}, {"√", ""}, {"", "+"}, {"", ",1"}, {"", "π"},
                                      {"foo", ""}, {"", ")"}, {"2", "e"}, {"", "2π"}};
    Generator g(9);
    for (int round = 0; round < 300; ++round) {
        const auto& b = kBreaks[round % 9];
        const std::string typed = b[0] + g.expression(2) + b[1];
        EXPECT_EQ(readExpression(typed).status, ReadValue::Status::NotAnExpression) << typed;
        const Outcome out = run(typed);
        EXPECT_FALSE(out.ok) << typed << " gave " << out.value;
        EXPECT_EQ(out.messages, 1u) << typed;
    }
}

} // namespace
