// What a typed text may hold besides the expression language itself: the
// full-width forms a Chinese input method types, blanks, and the " =result"
// tails that a pressed "=" leaves in the expression box.
#pragma once

#include <string>

// Blanks the pre-processor removes: space, tab, CR, LF and the ideographic
// space.
bool isBlankChar(char32_t c);

// Replaces the full-width brackets, comma, digits, point and operators (and
// "。", "×", "÷") by the characters they stand for, so that （1+2）×3 reads as
// (1+2)*3.
void foldFullWidth(std::u32string& text);

// A text that went through "=" reads "expression =result", and pressing "="
// again adds " =result" once more. Cuts such a text at its first "=" and
// returns true when everything after it is results (numbers as the display
// writes them, "=" between them, blanks) or nothing; returns false, leaving
// the text alone, when something else follows, since it would otherwise be
// dropped unseen.
bool dropShownResults(std::u32string& text);
