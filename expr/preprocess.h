// Rewrites a typed expression into the form the tokenizer expects: memories
// substituted, full-width forms folded, earlier " =result" tails dropped,
// lowercase, no blanks, the operators a user may leave out made
// explicit, and a leading "0+" so that every expression holds an operation.
#pragma once

#include <cstdint>
#include <string>

constexpr int16_t kPreprocessReady = 0;
constexpr int16_t kPreprocessUnbalanced = 1;      // "(" and ")" counts differ
constexpr int16_t kPreprocessDivisionByZero = 2;  // "/" followed by a written zero
constexpr int16_t kPreprocessEmpty = 3;           // nothing left after removing blanks
constexpr int16_t kPreprocessTextAfterResult = 4; // "=" followed by more than shown results
constexpr int16_t kPreprocessMalformedAngle = 5; // 30°15, π′17: an angle part without its mark or after no numeral
constexpr int16_t kPreprocessTooLong = 6;        // longer than kMaxExpressionBytes, memories put in

// On kPreprocessReady text becomes the prepared text and length its length in
// characters; on any other code both stay as they were. Does nothing and
// returns kPreprocessReady while errorFlag is set.
int16_t myPreprocess(std::u32string& text, int32_t& length);
