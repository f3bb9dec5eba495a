// The evaluator with "+", "-", "*" and brackets: precedence and grouping from
// the priority scheme, its quirks, its messages and its limits.
#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "expr/evaluator.h"
#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "tests/support/reference.h"
#include "expr/tokenizer.h"
#include "expr/utf8_text.h"
#include "expr/well_formed.h"

namespace {

constexpr int32_t kPrecision = 40;

struct Outcome {
    bool ok;
    std::string shown; // display text when ok
    std::vector<std::string> messages;
};

class Evaluator : public ::testing::Test {
protected:
    void SetUp() override { resetCoreForTest(kPrecision); }
    void TearDown() override { memoryText = {}; }

    static Outcome evaluate(const std::string& expression)
    {
        RecordingPort port;
        const BigNum value = myEvaluate(expression, kPrecision);
        Outcome out{errorFlag == 0, "", {}};
        if (out.ok)
            out.shown = myNumToStr(value);
        for (const auto& [text, style] : port.messages) {
            EXPECT_EQ(style, MessageStyle::Warning) << text;
            out.messages.push_back(text);
        }
        errorFlag = 0;
        return out;
    }
};

TEST_F(Evaluator, ResultsAsShown)
{
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"1-2-3", "-4.0"},
        {"2+3*4", "1.4E1"},
        {"(1+2)*(3+4)", "2.1E1"},
        {"(1+2)(3+4)", "2.1E1"},
        {"2(3+4)", "1.4E1"},
        {"(1+2)3", "9.0"},
        {"-5", "-5.0"},
        {"(-2)*3", "-6.0"},
        {"-2*3+4", "-2.0"},
        {"1-(2-(3-4))", "-2.0"},
        {"2*3-4*5", "-1.4E1"},
        {"((((1+2))))*3", "9.0"},
        {"2 3", "2.3E1"},   // blanks go first
        {"1+2=", "3.0"},
        {"0.1*3", "3.0E-1"},
        {"007+.5", "7.5"},
        {".", "0.0"},
        {"(+5)", "5.0"},
        {"1\r\n+\r\n2", "3.0"},
    };
    for (const auto& c : cases) {
        const Outcome out = evaluate(c.typed);
        EXPECT_TRUE(out.ok) << c.typed;
        EXPECT_TRUE(out.messages.empty()) << c.typed << ": " << (out.messages.empty() ? "" : out.messages[0]);
        EXPECT_EQ(out.shown, c.shown) << c.typed;
    }
}

TEST_F(Evaluator, Messages)
{
    const std::string unbalanced = std::string("你的“（”和“）”不对称") + "\r\n" + "请检查一下";
    const struct {
        const char* typed;
        std::string message;
    } cases[] = {
        {"1+", kMissingOperandMessage},
        {"+", kMissingOperandMessage},
        {"2*-3", kMissingOperandMessage},
        {"mod(7)", kMissingOperandMessage},
        {"yroot 5", twoArgumentFormMessage("yroot")},
        {"sin", kMissingOperandMessage},
        {"((1)", unbalanced},
        {")1", unbalanced},
        {"5/0", "哥们零你也敢除！无语中"},
        {"5/0.0+1", "哥们零你也敢除！无语中"},
        {"", "表达式为空"},
        {" \r\n", "表达式为空"},
    };
    for (const auto& c : cases) {
        const Outcome out = evaluate(c.typed);
        EXPECT_FALSE(out.ok) << c.typed;
        ASSERT_EQ(out.messages.size(), 1u) << c.typed;
        EXPECT_EQ(out.messages[0], c.message) << c.typed;
    }
}

TEST_F(Evaluator, DivisionByWrittenZeroReturnsOne)
{
    RecordingPort port;
    const BigNum value = myEvaluate("5/0", kPrecision);
    EXPECT_EQ(errorFlag, -1);
    EXPECT_EQ(canonicalOf(value), "1e0");
}

// A numeral with two points is refused by the conversion; the evaluation stops
// there with that one message instead of computing with an empty number.
TEST_F(Evaluator, BadNumeralStopsTheEvaluation)
{
    for (const char* typed : {"1.2.3", "1.2.3+4", "4+1..5*2", "(1.2.3)", "1.2.3+"}) {
        const Outcome out = evaluate(typed);
        EXPECT_FALSE(out.ok) << typed;
        EXPECT_EQ(out.messages.size(), 1u) << typed;
    }
}

TEST_F(Evaluator, NothingHappensWhileTheErrorFlagIsSet)
{
    RecordingPort port;
    errorFlag = -1;
    const BigNum value = myEvaluate("1+2", 55);
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(workPrecision, 55);
    EXPECT_TRUE(port.messages.empty());
    errorFlag = 0;
}

// Memories are substituted as text: A holding 2+3 makes A*4 read 2+3*4.
TEST_F(Evaluator, MemoriesAreText)
{
    memoryText[0] = "2+3";
    EXPECT_EQ(evaluate("A*4").shown, "1.4E1");
    EXPECT_EQ(evaluate("(A)*4").shown, "2.0E1");
}

TEST_F(Evaluator, RemovedTokensAreUnlinkedAndCleared)
{
    std::vector<ExprToken> table(8);
    for (int16_t i = 2; i <= 5; ++i) {
        table[i].active = 1;
        table[i].kind = TokenKind::Number;
        table[i].text = "9";
        table[i].position = i;
        table[i].prev = static_cast<int16_t>(i - 1);
        table[i].next = static_cast<int16_t>(i + 1);
        table[i].priority = 1;
    }
    errorFlag = -1;
    EXPECT_EQ(myRemoveToken(3, table), 0);
    EXPECT_EQ(table[3].active, 1); // suspended after an error
    errorFlag = 0;
    EXPECT_EQ(myRemoveToken(3, table), 0);
    EXPECT_EQ(table[2].next, 4);
    EXPECT_EQ(table[4].prev, 2);
    EXPECT_EQ(table[3].active, 0);
    EXPECT_EQ(table[3].text, "0");
    EXPECT_EQ(table[3].kind, TokenKind::Pi);
    EXPECT_EQ(table[3].priority, 0);
    EXPECT_EQ(myRemoveToken(4, table), 0);
    EXPECT_EQ(table[2].next, 5);
    EXPECT_EQ(table[5].prev, 2);
}


// Token indices and priorities are 16-bit: the deepest bracket level a "*"
// can take is 4095 (priority 3 + 8 * 4095 = 32763), and 16,000 operators fit
// while 16,400 do not. Beyond, the expression is refused with a message.
TEST_F(Evaluator, SixteenBitLimits)
{
    const auto nested = [](int depth) { return repeat("(", depth) + "2*3" + repeat(")", depth); };
    EXPECT_EQ(evaluate(nested(4095)).shown, "6.0");
    const Outcome deep = evaluate(nested(4096));
    ASSERT_EQ(deep.messages.size(), 1u);
    EXPECT_EQ(deep.messages[0], kExpressionTooLargeMessage);

    EXPECT_EQ(evaluate("1" + repeat("+1", 16000)).shown, "1.6001E4");
    const Outcome wide = evaluate("1" + repeat("+1", 16400));
    ASSERT_EQ(wide.messages.size(), 1u);
    EXPECT_EQ(wide.messages[0], kExpressionTooLargeMessage);

    // Closing brackets first push priorities below -32768.
    const Outcome negative = evaluate(repeat(")", 5000) + repeat("(", 5000));
    ASSERT_EQ(negative.messages.size(), 1u);
    EXPECT_EQ(negative.messages[0], kExpressionTooLargeMessage);
}

// Numbers right after ")" or after a word need no operator character, so a
// text can hold more tokens than the usual size estimate of the table allows
// for. The table must hold them all.
TEST_F(Evaluator, TablesHoldMoreTokensThanTheEstimate)
{
    const std::string stairs = repeat("(", 4000) + repeat(".5)", 4000);
    ASSERT_LT(tableUpperIndex(decodeUtf8("0+" + stairs)), 12000);
    // Neither text is an expression; what matters is that the table holds
    // them and the check reports them.
    EXPECT_EQ(evaluate(stairs).messages, std::vector<std::string>{missingOperatorMessage(")", ".5")});

    const std::string words = repeat("x.5", 15000);
    ASSERT_LT(tableUpperIndex(decodeUtf8("0+" + words)), 16000);
    EXPECT_EQ(evaluate(words).messages, std::vector<std::string>{unknownWordMessage("x", false)});

    const Outcome tooMany = evaluate(repeat("x.5", 20000));
    ASSERT_EQ(tooMany.messages.size(), 1u);
    EXPECT_EQ(tooMany.messages[0], kExpressionTooLargeMessage);
}

// Random expressions of + - * with brackets, implicit products and leading
// signs, against MPFR evaluating the same tree exactly. Operands are integers
// and halves, and every intermediate stays far inside the kept digits, so the
// exact value is what the evaluator must give.
class ExpressionGenerator {
public:
    explicit ExpressionGenerator(uint64_t seed) : rng_(seed) {}

    // False when an intermediate grew too large for an exact comparison.
    bool generate(std::string& text, mpfr_t value)
    {
        numbers_ = 0;
        tooLarge_ = false;
        text.clear();
        sum(0, text, value);
        return !tooLarge_;
    }

private:
    static constexpr mpfr_prec_t kBits = 512;

    int pick(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    void blank(std::string& text)
    {
        if (pick(6) == 0)
            text += ' ';
    }

    void check(mpfr_t v)
    {
        if (mpfr_cmpabs_ui(v, 0) != 0 && mpfr_get_exp(v) > 60)
            tooLarge_ = true;
    }

    void number(std::string& text, mpfr_t v)
    {
        ++numbers_;
        const int whole = pick(100);
        const bool half = pick(4) == 0;
        std::string digits = std::to_string(whole);
        if (half)
            digits = (whole == 0 && pick(2) ? "" : digits) + ".5";
        else if (pick(8) == 0)
            digits = "0" + digits; // a leading zero changes nothing
        text += digits;
        mpfr_set_ui(v, static_cast<unsigned long>(whole), MPFR_RNDN);
        if (half)
            mpfr_add_d(v, v, 0.5, MPFR_RNDN);
    }

    void factor(int depth, std::string& text, mpfr_t v)
    {
        if (depth < 4 && numbers_ < 14 && pick(3) == 0) {
            text += '(';
            blank(text);
            sum(depth + 1, text, v);
            blank(text);
            text += ')';
        } else {
            number(text, v);
        }
    }

    void term(int depth, std::string& text, mpfr_t v)
    {
        factor(depth, text, v);
        const int more = pick(3);
        mpfr_t f;
        mpfr_init2(f, kBits);
        for (int k = 0; k < more; ++k) {
            std::string next;
            factor(depth, next, f);
            // Implicit products: 2(3), (1)(2) and (1)2 need no "*".
            const bool implicitOk = (next.front() == '(' && (std::isdigit(static_cast<unsigned char>(text.back())) ||
                                                             text.back() == ')')) ||
                                    (text.back() == ')' && std::isdigit(static_cast<unsigned char>(next.front())));
            if (!(implicitOk && pick(2) == 0)) {
                blank(text);
                text += '*';
                blank(text);
            }
            text += next;
            mpfr_mul(v, v, f, MPFR_RNDN);
            check(v);
        }
        mpfr_clear(f);
    }

    // A sum may start with "-": it begins the whole text or follows "(".
    void sum(int depth, std::string& text, mpfr_t v)
    {
        const bool negate = pick(5) == 0;
        if (negate)
            text += '-';
        term(depth, text, v);
        if (negate)
            mpfr_neg(v, v, MPFR_RNDN);
        const int more = pick(4);
        mpfr_t t;
        mpfr_init2(t, kBits);
        for (int k = 0; k < more; ++k) {
            const bool minus = pick(2) == 0;
            blank(text);
            text += minus ? '-' : '+';
            blank(text);
            term(depth, text, t);
            if (minus)
                mpfr_sub(v, v, t, MPFR_RNDN);
            else
                mpfr_add(v, v, t, MPFR_RNDN);
            check(v);
        }
        mpfr_clear(t);
    }

    std::mt19937_64 rng_;
    int numbers_ = 0;
    bool tooLarge_ = false;
};

TEST_F(Evaluator, RandomExpressionsAgreeWithMpfr)
{
    ExpressionGenerator generator(7);
    Mpfr reference(512);
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        if (!generator.generate(text, reference))
            continue;
        RecordingPort port;
        const BigNum value = myEvaluate(text, kPrecision);
        ASSERT_EQ(errorFlag, 0) << text << (port.messages.empty() ? "" : ": " + port.messages[0].first);
        ASSERT_EQ(canonicalOf(value), canonicalTruncated(reference, kPrecision + kGuardDigits)) << text;
        ++compared;
    }
    EXPECT_GT(compared, 2500);
}

} // namespace
