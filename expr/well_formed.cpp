#include "expr/well_formed.h"

#include "expr/function_table.h"
#include "bignum/globals.h"
#include "expr/evaluator.h"

const char* const kEmptyBracketsMessage = "括号里没有内容";
const char* const kMisplacedCommaMessage = "逗号只能写在 mod(a,b) 和 yroot(n,x) 的两个参数之间";
const char* const kExponentPlacementMessage = "指数记号“e”要紧跟在数的后面，如 1.5e3";
const char* const kIncompleteMessage = "表达式不完整，无法得出唯一的结果，请检查写法";
const char* const kMemoryLetterNote =
    "\r\n注意：大写字母 A、B、C、D、X、F、G、H、I、J 代表存储器，已换成其中的内容";

std::string noLeftOperandMessage(const std::string& op)
{
    return "运算符“" + op + "”左边缺少运算数据";
}

std::string postfixFirstMessage(const std::string& op)
{
    return "“" + op + "”要写在它作用的数的后面，如 9" + op;
}

std::string missingOperatorMessage(const std::string& left, const std::string& right)
{
    std::string text = "“" + left + "”和“" + right + "”之间缺少运算符";
    if (left != ")" && right != "(")
        text += "，如 " + left + "*" + right;
    return text;
}

std::string unknownWordMessage(const std::string& word, bool memoriesSubstituted)
{
    std::string text = "“" + word + "”不是可用的函数名";
    if (memoriesSubstituted)
        text += kMemoryLetterNote;
    return text;
}

std::string twoArgumentFormMessage(const std::string& word)
{
    return "“" + word + "”要写成 " + word + "(a,b) 的形式：括号里两个参数，用逗号隔开";
}

std::string functionArgumentMessage(const std::string& word)
{
    return "函数“" + word + "”后面要跟一个数或“(”，如 " + word + "(1)";
}

std::string bareArgumentMessage(const std::string& function, const std::string& op)
{
    return "“" + function + "”的参数后面紧跟“" + op + "”，不清楚先算哪一个：请加括号，如 " + function + "(30" + op +
           ") 或 (" + function + "30)" + op;
}

std::string signedOperandMessage(const std::string& op)
{
    return "“" + op + "”后面的正负号要紧跟一个数，如 2" + op + "-3；对算式取负请加括号，如 2" + op + "(-(1+2))";
}

namespace {

// One open bracket: whether it holds the arguments of mod or yroot, and how
// many commas it has met.
struct Bracket {
    bool twoArguments;
    int commas;
};

class Checker {
public:
    Checker(const std::vector<ExprToken>& table, bool memoriesSubstituted)
        : table_(table), memoriesSubstituted_(memoriesSubstituted)
    {
    }

    bool run(size_t first)
    {
        for (size_t i = first; i < table_.size(); ++i) {
            const ExprToken& t = table_[i];
            if (t.active == 0)
                continue;
            if (!step(t))
                return false;
            previous_ = &t;
        }
        if (!haveValue_)
            return fail(kMissingOperandMessage);
        return true; // the pre-processor has matched the bracket counts
    }

private:
    bool fail(const std::string& message)
    {
        reportError(message, MessageStyle::Warning);
        return false;
    }

    std::string previousText() const { return previous_ == nullptr ? std::string() : previous_->text; }
    TokenKind previousKind() const { return previous_ == nullptr ? TokenKind::Open : previous_->kind; }

    // A token that needs a value on its left met none: say which neighbour
    // is at fault.
    bool noLeftValue(const ExprToken& t)
    {
        const TokenKind p = previousKind();
        if (previous_ != nullptr && (isBinaryKind(p) || p == TokenKind::Comma))
            return fail(kMissingOperandMessage);
        if (previous_ != nullptr && p == TokenKind::Function)
            return fail(functionArgumentMessage(previousText()));
        return fail(noLeftOperandMessage(t.text));
    }

    bool startValue(const ExprToken& t)
    {
        if (haveValue_)
            return fail(missingOperatorMessage(previousText(), t.text));
        if (afterSign_ && !signedOperandFits(t))
            return fail(signedOperandMessage(signOf_));
        afterSign_ = false;
        signAllowed_ = false;
        return true;
    }

    // After the sign of "^" or "e" the operand must stand directly there:
    // the reduction sets the sign on the next number it meets. For "^" a
    // function qualifies too, since it is reduced first; for "e" it does not.
    bool signedOperandFits(const ExprToken& t) const
    {
        switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::Pi:
        case TokenKind::Natural: return true;
        case TokenKind::Function: return signOf_ == "^";
        default: return false;
        }
    }

    static bool isValueKind(TokenKind k)
    {
        return k == TokenKind::Number || k == TokenKind::Pi || k == TokenKind::Natural;
    }

    // Follows the bare argument of a function word: sin30, sin1e-2 (the
    // exponent letter binds tighter than the function). Empty once anything
    // else comes.
    void trackBareArgument(const ExprToken& t)
    {
        const TokenKind p = previousKind();
        if (isValueKind(t.kind) && p == TokenKind::Function) {
            bareFunction_ = previousText();
            return;
        }
        if (bareFunction_.empty())
            return;
        const bool exponentGoesOn = (t.kind == TokenKind::Exponent && isValueKind(p)) ||
                                    (p == TokenKind::Exponent && (isValueKind(t.kind) || t.kind == TokenKind::Plus ||
                                                                  t.kind == TokenKind::Minus)) ||
                                    (afterSign_ && signOf_ == "e" && isValueKind(t.kind));
        if (!exponentGoesOn && !isPostfixKind(t.kind))
            bareFunction_.clear();
    }

    bool step(const ExprToken& t)
    {
        trackBareArgument(t);
        if (pendingTwoArguments_ && t.kind != TokenKind::Open)
            return fail(twoArgumentFormMessage(previousText()));
        switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::Pi:
        case TokenKind::Natural:
            if (!startValue(t))
                return false;
            haveValue_ = true;
            return true;
        case TokenKind::Function: {
            const FunctionEntry* entry = findFunction(t.text);
            if (entry == nullptr)
                return fail(unknownWordMessage(t.text, memoriesSubstituted_));
            if (!startValue(t))
                return false;
            pendingTwoArguments_ = entry->arguments == 2;
            return true;
        }
        case TokenKind::Open:
            if (!startValue(t))
                return false;
            brackets_.push_back({pendingTwoArguments_, 0});
            pendingTwoArguments_ = false;
            return true;
        case TokenKind::Close: {
            if (brackets_.empty())
                return fail(kUnbalancedMessage);
            if (!haveValue_)
                return previousKind() == TokenKind::Open ? fail(kEmptyBracketsMessage) : fail(kMissingOperandMessage);
            const Bracket b = brackets_.back();
            brackets_.pop_back();
            if (b.twoArguments && b.commas != 1)
                return fail(kMissingOperandMessage);
            return true;
        }
        case TokenKind::Comma:
            if (brackets_.empty() || !brackets_.back().twoArguments || brackets_.back().commas != 0)
                return fail(kMisplacedCommaMessage);
            if (!haveValue_)
                return noLeftValue(t);
            brackets_.back().commas = 1;
            haveValue_ = false;
            return true;
        default: break;
        }
        if (isPostfixKind(t.kind)) {
            if (!haveValue_)
                return fail(postfixFirstMessage(t.text));
            // sin30° would take the sine first and convert it as degrees,
            // while whoever writes it means the sine of 30°: brackets must
            // say which.
            if (!bareFunction_.empty())
                return fail(bareArgumentMessage(bareFunction_, t.text));
            return true;
        }
        // The exponent letter scales the number written before it; after a
        // bracket or a postfix operator the reduction would take a number
        // further left.
        if (t.kind == TokenKind::Exponent && haveValue_ && previousKind() != TokenKind::Number &&
            previousKind() != TokenKind::Pi && previousKind() != TokenKind::Natural)
            return fail(kExponentPlacementMessage);
        // A binary operator; "+" or "-" right after "^" or "e" is the sign
        // of its right operand.
        if (!haveValue_) {
            if (signAllowed_ && (t.kind == TokenKind::Plus || t.kind == TokenKind::Minus)) {
                signAllowed_ = false;
                afterSign_ = true;
                return true;
            }
            if (afterSign_)
                return fail(signedOperandMessage(signOf_));
            return noLeftValue(t);
        }
        haveValue_ = false;
        signAllowed_ = t.kind == TokenKind::Power || t.kind == TokenKind::Exponent;
        if (signAllowed_)
            signOf_ = t.text;
        return true;
    }

    const std::vector<ExprToken>& table_;
    const bool memoriesSubstituted_;
    const ExprToken* previous_ = nullptr;
    bool haveValue_ = false;          // the tokens so far end with a value
    bool signAllowed_ = false;        // just after "^" or "e"
    bool afterSign_ = false;          // just after the sign of "^" or "e"
    std::string signOf_;              // which of the two
    bool pendingTwoArguments_ = false; // just after "mod" or "yroot"
    std::string bareFunction_;        // the function whose bare argument is being read
    std::vector<Bracket> brackets_;
};

} // namespace

bool checkWellFormed(const std::vector<ExprToken>& table, size_t first, bool memoriesSubstituted)
{
    return Checker(table, memoriesSubstituted).run(first);
}
