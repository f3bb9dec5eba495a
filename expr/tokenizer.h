// Cuts a prepared expression into the token table and gives every token its
// priority from its kind and its bracket depth.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "expr/expr_token.h"

// The upper table index the prepared text asks for: 5, plus 2 for every
// character that is neither a digit nor "." (1 for a bracket), less 1 for
// every lowercase letter that continues a word or is followed by another
// character (2 for a letter in the last position), plus 10. It can fall short
// of the tokens a text really makes (".5).5).5" has three numbers and no
// operator), so the tokenizer never relies on it alone.
int64_t tableUpperIndex(const std::u32string& text);

// Message for expressions whose table index or priority would not fit the
// 16 bits the table uses.
extern const char* const kExpressionTooLargeMessage;

// Message for a character that belongs to no token, naming it.
std::string foreignCharacterMessage(char32_t c);

// Fills table (indices 0 .. upper; tokens from index 2 on, at least one empty
// slot after the last) and sets highestPriority. Numbers get their values
// from myStrToNum. Returns false, with errorFlag set, when a numeral is
// refused, a character belongs to no token, or the expression needs an index or a priority beyond
// kMaxTokenIndex; also returns false at once while errorFlag is set.
bool myTokenize(const std::u32string& text, int16_t& highestPriority, int16_t& upper,
                std::vector<ExprToken>& table);
