// Evaluates one expression: pre-processing, the token table, and its
// reduction from the highest priority down. There is no parse tree:
// precedence, bracketing and left-to-right grouping all come from the
// priorities the tokenizer gives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bignum/bignum.h"
#include "expr/expr_token.h"

// Messages of the evaluator, all shown with the "错误提示" warning style.
extern const char* const kUnbalancedMessage;       // "(" and ")" counts differ
extern const char* const kDivisionByZeroMessage;   // "/" followed by a written zero
extern const char* const kMissingOperandMessage;   // operator or function without right operand
extern const char* const kEmptyExpressionMessage;  // nothing but blanks
extern const char* const kTextAfterResultMessage;  // "=" followed by more than shown results
extern const char* const kMalformedAngleMessage; // 30°15, π′17: an angle part without its mark or after no numeral

// Value of the UTF-8 expression at the given working precision (copied into
// workPrecision first). After an error (errorFlag is -1, a message has been
// shown) the value is meaningless; the caller checks errorFlag and resets it.
BigNum myEvaluate(const std::string& expression, int32_t precision);

// Removes token k: its neighbours are linked to each other and the slot is
// cleared (kind 0, text "0", inactive). Does nothing while errorFlag is set.
// Always returns 0.
int16_t myRemoveToken(int16_t k, std::vector<ExprToken>& table);
