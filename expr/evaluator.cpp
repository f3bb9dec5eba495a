#include "expr/evaluator.h"

#include <algorithm>
#include <set>

#include "expr/function_table.h"
#include "bignum/globals.h"
#include "expr/input_bounds.h"
#include "expr/operator_table.h"
#include "expr/preprocess.h"
#include "expr/tokenizer.h"
#include "expr/utf8_text.h"
#include "expr/well_formed.h"

const char* const kUnbalancedMessage = "你的“（”和“）”不对称\r\n请检查一下";
const char* const kDivisionByZeroMessage = "哥们零你也敢除！无语中";
const char* const kMissingOperandMessage = "存在运算符没有右运算数据";
const char* const kEmptyExpressionMessage = "表达式为空";
const char* const kMalformedAngleMessage = "角度要写成 30°15′20″ 的形式：度、分、秒各是一个数，各带符号";
const char* const kTextAfterResultMessage =
    "“=”后面只能是上次的结果，其后的内容不会参与计算\r\n请把要算的式子写在“=”前面，或删去“=”及其后的结果";

namespace {

// Reduces a token table. Tokens are visited by priority, highest first, and
// within one priority from left to right; a reduction turns the token into a
// number in place, so later tokens see its result. Priorities never change
// and removed tokens are inactive, so one visit per token in that order does
// what a pass per priority level over the whole table would.
//
// Operand searches take the nearest number token to the left or right,
// passing over brackets, operators and removed tokens alike; the set of
// number indices makes each search logarithmic instead of a walk over the
// table.
class Reduction {
public:
    explicit Reduction(std::vector<ExprToken>& table) : table_(table)
    {
        for (size_t i = 0; i < table_.size(); ++i)
            if (table_[i].active != 0 && table_[i].kind == TokenKind::Number)
                numbers_.insert(static_cast<int32_t>(i));
    }

    // False when the evaluation had to stop (a missing right operand).
    bool run()
    {
        std::vector<int32_t> order;
        for (size_t i = 0; i < table_.size(); ++i) {
            const ExprToken& t = table_[i];
            if (t.active != 0 && t.priority >= 1 && t.kind != TokenKind::Number &&
                t.kind != TokenKind::Open && t.kind != TokenKind::Close && t.kind != TokenKind::Comma)
                order.push_back(static_cast<int32_t>(i));
        }
        std::stable_sort(order.begin(), order.end(),
                         [this](int32_t a, int32_t b) { return token(a).priority > token(b).priority; });
        for (int32_t i : order) {
            if (token(i).active != 0 && !reduce(i))
                return false;
        }
        return true;
    }

    const BigNum& lastResult() const { return lastResult_; }

    // Numbers still in the table: one after a complete reduction.
    size_t numbersLeft() const { return numbers_.size(); }

private:
    static constexpr int32_t kNone = 0; // index 0 never holds a token

    ExprToken& token(int32_t i) { return table_[static_cast<size_t>(i)]; }

    int32_t leftOperand(int32_t i) const
    {
        auto it = numbers_.lower_bound(i);
        return it == numbers_.begin() ? kNone : *std::prev(it);
    }

    // The nearest active token before i (index 0, which is never active,
    // when there is none).
    int32_t activeBefore(int32_t i)
    {
        int32_t k = i - 1;
        while (k > 0 && token(k).active == 0)
            --k;
        return k;
    }

    int32_t rightOperand(int32_t i) const
    {
        auto it = numbers_.upper_bound(i);
        return it == numbers_.end() ? kNone : *it;
    }

    void remove(int32_t k)
    {
        if (errorFlag == -1)
            return; // removal is suspended after an error, as myRemoveToken is
        myRemoveToken(static_cast<int16_t>(k), table_);
        numbers_.erase(k);
    }

    void store(int32_t i, BigNum value)
    {
        ExprToken& t = token(i);
        t.value = std::move(value);
        t.kind = TokenKind::Number;
        numbers_.insert(i);
        lastResult_ = t.value;
    }

    bool missingOperand()
    {
        reportError(kMissingOperandMessage, MessageStyle::Warning);
        return false;
    }

    bool reduce(int32_t i)
    {
        switch (token(i).kind) {
        case TokenKind::Pi:
        case TokenKind::Natural: store(i, applyOperator(token(i).kind, BigNum{}, BigNum{})); return true;
        case TokenKind::Plus:
        case TokenKind::Minus:
        case TokenKind::Multiply:
        case TokenKind::Divide:
        case TokenKind::Power:
        case TokenKind::Exponent:
        case TokenKind::IntDivide: return reduceBinary(i);
        case TokenKind::Factorial:
        case TokenKind::Root:
        case TokenKind::Degree:
        case TokenKind::ArcMinute:
        case TokenKind::ArcSecond: reducePostfix(i); return true;
        case TokenKind::Function: return reduceFunction(i);
        case TokenKind::Number:
        case TokenKind::Open:
        case TokenKind::Close:
        case TokenKind::Comma: return true;
        }
        return true;
    }

    bool reduceBinary(int32_t i)
    {
        const TokenKind kind = token(i).kind;
        const int32_t l = leftOperand(i);
        const int32_t r = rightOperand(i);
        if (r == kNone)
            return missingOperand();
        // "^" and "e" take a signed right operand: a sign written directly
        // before it is set (not flipped) on the value, which is how 2^-3 and
        // 1e-5 work while 2*-3 does not. Slots emptied by earlier
        // reductions are passed over, so 2^-3e1 keeps its sign.
        if (kind == TokenKind::Power || kind == TokenKind::Exponent) {
            const int32_t s = activeBefore(r);
            if (token(s).text == "-" || token(s).text == "+") {
                token(r).value.positive = token(s).text == "-" ? kFalse : kTrue;
                remove(s);
            }
        }
        // The check before the passes has made sure of a left operand; a
        // quotient by zero goes to the division routines, which report it.
        if (l == kNone)
            return errorFlag == -1 ? true : missingOperand();
        const BigNum& a = token(l).value;
        const BigNum& b = token(r).value;
        BigNum value;
        if (errorFlag == -1)
            value = BigNum{};
        else if (kind == TokenKind::Plus)
            value = myAdd(a, b);
        else if (kind == TokenKind::Minus)
            value = mySub(a, b);
        else
            value = applyOperator(kind, a, b);
        store(i, std::move(value));
        remove(l);
        remove(r);
        return true;
    }

    void reducePostfix(int32_t i)
    {
        const int32_t l = leftOperand(i);
        if (l == kNone)
            return; // the check before the passes has made sure of one
        BigNum value = applyOperator(token(i).kind, token(l).value, BigNum{});
        store(i, std::move(value));
        remove(l);
    }

    bool reduceFunction(int32_t i)
    {
        const FunctionEntry* entry = findFunction(token(i).text);
        if (entry == nullptr)
            return true; // the check before the passes refuses unknown words
        const int32_t r1 = rightOperand(i);
        if (r1 == kNone)
            return missingOperand();
        if (entry->arguments == 1) {
            BigNum value = applyFunction(*entry, token(r1).value, BigNum{});
            store(i, std::move(value));
            remove(r1);
            return true;
        }
        const int32_t r2 = rightOperand(r1);
        if (r2 == kNone)
            return missingOperand();
        BigNum value = applyFunction(*entry, token(r1).value, token(r2).value);
        store(i, std::move(value));
        remove(r1);
        remove(r2);
        return true;
    }

    std::vector<ExprToken>& table_;
    std::set<int32_t> numbers_;
    BigNum lastResult_;
};

// True when the typed text holds a capital letter that names a memory.
bool typedMemoryLetter(const std::string& expression)
{
    return expression.find_first_of("ABCDXFGHIJ") != std::string::npos;
}

} // namespace

int16_t myRemoveToken(int16_t k, std::vector<ExprToken>& table)
{
    if (errorFlag == -1 || k < 0 || static_cast<size_t>(k) >= table.size())
        return 0;
    const auto inTable = [&](int16_t index) { return index >= 0 && static_cast<size_t>(index) < table.size(); };
    ExprToken& t = table[static_cast<size_t>(k)];
    if (inTable(t.next))
        table[static_cast<size_t>(t.next)].prev = t.prev;
    if (inTable(t.prev))
        table[static_cast<size_t>(t.prev)].next = t.next;
    t.active = 0;
    t.text.assign(1, '0');
    t.prev = 0;
    t.next = 0;
    t.kind = TokenKind::Pi;
    t.priority = 0;
    t.value = BigNum{};
    return 0;
}

BigNum myEvaluate(const std::string& expression, int32_t precision)
{
    workPrecision = precision;
    if (errorFlag == -1)
        return BigNum{};

    std::u32string text = decodeUtf8(expression);
    int32_t length = static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX));
    switch (myPreprocess(text, length)) {
    case kPreprocessReady: break;
    case kPreprocessUnbalanced: return reportError(kUnbalancedMessage, MessageStyle::Warning);
    case kPreprocessDivisionByZero:
        reportError(kDivisionByZeroMessage, MessageStyle::Warning);
        return bigOne;
    case kPreprocessTextAfterResult: return reportError(kTextAfterResultMessage, MessageStyle::Warning);
    case kPreprocessMalformedAngle: return reportError(kMalformedAngleMessage, MessageStyle::Warning);
    case kPreprocessTooLong: return reportError(kExpressionTooLongMessage, MessageStyle::Warning);
    case kPreprocessEmpty:
    default: return reportError(kEmptyExpressionMessage, MessageStyle::Warning);
    }

    std::vector<ExprToken> table;
    int16_t highestPriority = 1;
    int16_t upper = 0;
    if (!myTokenize(text, highestPriority, upper, table))
        return BigNum{};

    // Tokens 2 and 3 are the "0+" the pre-processor puts in front; the check
    // starts after them so that "*2" is not read as 0*2.
    constexpr size_t kFirstTyped = 4;
    if (!checkWellFormed(table, kFirstTyped, typedMemoryLetter(expression)))
        return BigNum{};

    Reduction reduction(table);
    if (!reduction.run())
        return BigNum{};
    if (errorFlag == 0 && reduction.numbersLeft() != 1)
        return reportError(kIncompleteMessage, MessageStyle::Warning);
    return reduction.lastResult();
}
