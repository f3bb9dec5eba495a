// What pressing "=" does, shared by the window and quorra-cli: the precision
// text becomes the working precision, the expression is evaluated, and the
// result is rendered; after a failure the error flag is cleared for the next
// run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Working precision for a precision-box text: the leading number N of the
// text (see leadingNumber; a text that starts with no number counts as 0),
// D = N + 1 rounded half to even, 32 when D is 1, at most 10000 (then *capped
// is set), plus 8 hidden digits. Negative texts are not corrected (-5 gives 4) except that the
// result never goes below 1, so no text can push the arithmetic to a zero or
// negative precision. capped may be nullptr.
int32_t precisionFromText(const std::string& text, bool* capped);

// The same rule for a box that holds the whole number `digits`.
int32_t precisionForDigits(int32_t digits);

// The number at the start of text, as far as it reads as one: blanks, tabs
// and line feeds are ignored anywhere, then an optional sign, digits, an
// optional point and digits, and an optional exponent (E or D, optional sign,
// digits); whatever follows is ignored, and a text that starts with none of
// this reads as 0 ("12abc" is 12, "1 2" is 12, "abc" is 0). Values beyond the
// double range give ±infinity.
double leadingNumber(const std::string& text);

struct RunResult {
    bool ok = false;
    std::string expressionText; // the expression as evaluated (after the code-page trip)
    std::string resultText;     // the value as displayed; empty after a failure
    bool precisionCapped = false; // the window then shows "10000" in the precision box
    bool stopped = false;         // ended by requestStop(); nothing was reported

    // The text the expression box shows after a successful run.
    std::string resultLine() const { return expressionText + " =" + resultText; }
};

// Receives the line for the daily log (result cut to 100 significant digits).
using AutoSaveHook = std::function<void(const std::string& line)>;

constexpr int32_t kAutoSaveDigits = 100;

// Refusal of a precision text whose leading number is below zero.
extern const char* const kNegativePrecisionMessage;

// One run. A precision text with a negative leading number, and a character
// outside the code page, are refused with a message. Messages of a failing
// evaluation have gone to the message port. A run ended by a stop request
// reports nothing and withdraws the request.
// When autoSave is set, a successful run also passes it the log line.
RunResult evaluationRun(const std::string& exprUtf8, const std::string& precisionText,
                        const AutoSaveHook& autoSave = nullptr);
