// Conversion between UTF-8 and code points. The expression language works on
// code points so that π ° ′ ″ √ are one character each, like the digits and
// operators around them.
#pragma once

#include <string>

// Code points of a UTF-8 text. Every byte that does not start a well-formed
// sequence (stray continuation bytes, overlong forms, surrogates, values past
// U+10FFFF, cut sequences) becomes one U+FFFD, so any byte string decodes.
std::u32string decodeUtf8(const std::string& text);

// UTF-8 of code points; values that are no Unicode scalar become U+FFFD.
std::string encodeUtf8(const std::u32string& text);

constexpr char32_t kReplacementCharacter = 0xFFFD;
