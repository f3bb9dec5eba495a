// The token table the evaluator reduces: token kinds, their base priorities
// and one table entry.
#pragma once

#include <cstdint>
#include <string>

#include "bignum/bignum.h"

// Kind codes of the token table. Code 0 doubles as the kind of empty slots and
// removed tokens; those are inactive, so only an active Pi token stands for π.
enum class TokenKind : int16_t {
    Pi = 0,         // "π", constant
    Number = 1,     // a run of digits and "."
    Plus = 2,       // "+"
    Minus = 3,      // "-"
    Multiply = 4,   // "*"
    Divide = 5,     // "/"
    Open = 6,       // "("
    Close = 7,      // ")"
    Function = 8,   // any word of lowercase letters without a kind of its own
    Power = 9,      // "^"
    Factorial = 10, // "!" postfix
    Root = 11,      // "√" postfix square root
    Exponent = 12,  // the word "e": l e r is l scaled by 10^r
    IntDivide = 13, // "\" integer quotient
    Natural = 14,   // the word "natural", constant e
    Degree = 15,    // "°" postfix
    ArcMinute = 16, // "′" postfix
    ArcSecond = 17, // "″" postfix
    Comma = 18,     // "," between the two arguments of mod(,) and yroot(,); never reduced
};

// One entry of the token table.
struct ExprToken {
    // Base priority of the kind plus 8 for every "(" and minus 8 for every
    // ")" from the start of the text up to and including this token.
    int16_t priority = 0;
    // Digits of a number, the operator symbol or the word (UTF-8); "0" once removed.
    std::string text;
    // 1 while the token takes part; 0 for empty slots and removed tokens.
    int16_t active = 0;
    TokenKind kind = TokenKind::Pi;
    int16_t position = 0; // own index in the table
    int16_t prev = 0;     // index of the token before it
    int16_t next = 0;     // index of the token after it
    BigNum value;         // number held; the result once an operator is applied
};

// Base priority of a kind: constants 7, "e" 6, functions 5, "^" "!" "√" and
// the angle marks 4, "*" "/" "\" 3, "+" "-" 2, numbers 1, brackets 0.
int16_t basePriority(TokenKind kind);

// Kind of a one-character operator or bracket; false for any other character.
bool symbolKind(char32_t c, TokenKind& kind);

// Kind of a word of lowercase letters: "natural", "e", or a function word.
TokenKind wordKind(const std::string& word);

// Kinds that take a value on each side.
bool isBinaryKind(TokenKind kind);
// Postfix kinds: "!" "√" "°" "′" "″".
bool isPostfixKind(TokenKind kind);

inline bool isDigitChar(char32_t c) { return c >= U'0' && c <= U'9'; }
inline bool isLowerLetter(char32_t c) { return c >= U'a' && c <= U'z'; }
inline bool isLetter(char32_t c) { return isLowerLetter(c) || (c >= U'A' && c <= U'Z'); }
