// The check of a token table before it is reduced. The reduction takes the
// nearest numbers beside each operator, whatever stands between them, so a
// text that is not an expression would still yield a number (√9 gave 0,
// 2sin(1) gave 2). This check refuses such texts with a message that says
// what is wrong.
#pragma once

#include <string>
#include <vector>

#include "expr/expr_token.h"

// Messages of the check (shown with the "错误提示" warning style). Those that
// name a token are built by the functions below.
extern const char* const kEmptyBracketsMessage;      // "()"
extern const char* const kMisplacedCommaMessage;     // "," outside mod(,) and yroot(,)
extern const char* const kExponentPlacementMessage;  // "e" after a bracket or a postfix operator
extern const char* const kIncompleteMessage;         // the reduction left more than one number
extern const char* const kMemoryLetterNote;          // added when memories were substituted

std::string noLeftOperandMessage(const std::string& op);
std::string postfixFirstMessage(const std::string& op);
std::string missingOperatorMessage(const std::string& left, const std::string& right);
std::string unknownWordMessage(const std::string& word, bool memoriesSubstituted);
std::string twoArgumentFormMessage(const std::string& word);
std::string functionArgumentMessage(const std::string& word);
std::string signedOperandMessage(const std::string& op);
std::string bareArgumentMessage(const std::string& function, const std::string& op);

// True when the tokens from index first on form an expression: every binary
// operator has a value on each side (a sign may precede the right operand of
// "^" and "e"), every postfix operator a value directly on its left, every
// function word is known and has a value or "(" on its right ("mod" and
// "yroot" exactly two arguments in brackets, split by one comma), two values
// never stand side by side, no postfix operator follows the bare argument of
// a function (sin30°), and no ")" closes a bracket that is not open.
// Otherwise reports the first fault (errorFlag set) and returns false.
// memoriesSubstituted adds a note to the unknown-word message, since a
// capital letter in a word is taken as a memory.
bool checkWellFormed(const std::vector<ExprToken>& table, size_t first, bool memoriesSubstituted);
