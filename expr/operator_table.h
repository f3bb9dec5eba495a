// The arithmetic behind every operator kind except "+" and "-", which the
// evaluator binds itself. An entry without a routine reports that the
// operation is not available yet.
#pragma once

#include "bignum/bignum.h"
#include "expr/expr_token.h"

// Every routine gets two operands: infix forms use both, postfix forms only
// the left, constants neither (they are computed at workPrecision).
using OperatorRoutine = BigNum (*)(const BigNum& left, const BigNum& right);

struct OperatorEntry {
    TokenKind kind;
    const char* text; // as written in an expression, for messages
    OperatorRoutine routine;
};

// The table entry of kind, or nullptr when the kind has none.
const OperatorEntry* findOperator(TokenKind kind);

// Applies the routine of kind. Returns the empty record at once while
// errorFlag is set; an entry without a routine reports "“<op>”运算尚未实现".
BigNum applyOperator(TokenKind kind, const BigNum& left, const BigNum& right);
