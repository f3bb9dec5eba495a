#include "expr/expr_token.h"

namespace {

struct KindInfo {
    TokenKind kind;
    char32_t symbol; // the character that makes the token; 0 for runs and words
    int16_t base;
};

constexpr KindInfo kKinds[] = {
    {TokenKind::Pi, U'π', 7},
    {TokenKind::Number, 0, 1},
    {TokenKind::Plus, U'+', 2},
    {TokenKind::Minus, U'-', 2},
    {TokenKind::Multiply, U'*', 3},
    {TokenKind::Divide, U'/', 3},
    {TokenKind::Open, U'(', 0},
    {TokenKind::Close, U')', 0},
    {TokenKind::Function, 0, 5},
    {TokenKind::Power, U'^', 4},
    {TokenKind::Factorial, U'!', 4},
    {TokenKind::Root, U'√', 4},
    {TokenKind::Exponent, 0, 6},
    {TokenKind::IntDivide, U'\\', 3},
    {TokenKind::Natural, 0, 7},
    {TokenKind::Degree, U'°', 4},
    {TokenKind::ArcMinute, U'′', 4},
    {TokenKind::ArcSecond, U'″', 4},
    {TokenKind::Comma, U',', 0},
};

} // namespace

int16_t basePriority(TokenKind kind)
{
    for (const KindInfo& info : kKinds)
        if (info.kind == kind)
            return info.base;
    return 0;
}

bool symbolKind(char32_t c, TokenKind& kind)
{
    if (c == 0)
        return false;
    for (const KindInfo& info : kKinds) {
        if (info.symbol == c) {
            kind = info.kind;
            return true;
        }
    }
    return false;
}

TokenKind wordKind(const std::string& word)
{
    if (word == "natural")
        return TokenKind::Natural;
    if (word == "e")
        return TokenKind::Exponent;
    return TokenKind::Function;
}

bool isBinaryKind(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Plus:
    case TokenKind::Minus:
    case TokenKind::Multiply:
    case TokenKind::Divide:
    case TokenKind::IntDivide:
    case TokenKind::Power:
    case TokenKind::Exponent: return true;
    default: return false;
    }
}

bool isPostfixKind(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Factorial:
    case TokenKind::Root:
    case TokenKind::Degree:
    case TokenKind::ArcMinute:
    case TokenKind::ArcSecond: return true;
    default: return false;
    }
}
