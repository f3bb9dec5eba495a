#include "expr/evaluation_run.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

#include "expr/ansi_text.h"
#include "expr/evaluator.h"
#include "bignum/globals.h"
#include "expr/input_bounds.h"
#include "bignum/stop_request.h"
#include "expr/tokenizer.h"
#include "expr/utf8_text.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponents beyond this are outside the double range either way.
constexpr int64_t kExponentLimit = 100000;

// The first character that the trip through the code page lost (it became
// "?"), or 0 when the text came through whole.
char32_t lostCharacter(const std::string& typed, const std::string& kept)
{
    if (typed == kept)
        return 0;
    const std::u32string a = decodeUtf8(typed);
    const std::u32string b = decodeUtf8(kept);
    for (size_t k = 0; k < a.size(); ++k)
        if (k >= b.size() || a[k] != b[k])
            return a[k];
    return U'?';
}

} // namespace

const char* const kNegativePrecisionMessage = "精度不能为负数，请输入要保留的有效数字位数";
const char* const kExpressionTooLongMessage = "表达式太长（超过一千万个字符），需要的内存太多，无法计算";
const char* const kOutOfMemoryMessage = "内存不足，无法完成计算";

double leadingNumber(const std::string& text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);

    size_t p = 0;
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-'))
        negative = s[p++] == '-';
    std::string digits; // significant digits, point removed
    int64_t pointShift = 0;
    bool sawDigit = false;
    while (p < s.size() && isDigit(s[p])) {
        digits.push_back(s[p++]);
        sawDigit = true;
    }
    if (p < s.size() && s[p] == '.') {
        ++p;
        while (p < s.size() && isDigit(s[p])) {
            digits.push_back(s[p++]);
            --pointShift;
            sawDigit = true;
        }
    }
    if (!sawDigit)
        return 0.0;

    int64_t exponent = 0;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E' || s[p] == 'd' || s[p] == 'D')) {
        size_t q = p + 1;
        bool expNegative = false;
        if (q < s.size() && (s[q] == '+' || s[q] == '-'))
            expNegative = s[q++] == '-';
        if (q < s.size() && isDigit(s[q])) {
            while (q < s.size() && isDigit(s[q])) {
                if (exponent < kExponentLimit)
                    exponent = exponent * 10 + (s[q] - '0');
                ++q;
            }
            if (expNegative)
                exponent = -exponent;
        }
    }

    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return negative ? -0.0 : 0.0;
    digits.erase(0, firstNonZero);
    // Decimal exponent of the leading digit decides the range before any
    // conversion, so that absurd exponents cannot overflow anything.
    const int64_t scale = exponent + pointShift + static_cast<int64_t>(digits.size()) - 1;
    if (scale > 400)
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (scale < -400)
        return negative ? -0.0 : 0.0;

    const std::string literal = digits + "e" + std::to_string(exponent + pointShift);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (ec == std::errc::result_out_of_range)
        value = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    (void)end;
    return negative ? -value : value;
}

int32_t precisionFromText(const std::string& text, bool* capped)
{
    if (capped != nullptr)
        *capped = false;
    // Halves go to the even neighbour (2.5 gives 2, 3.5 gives 4); nearbyint
    // does that in the default rounding mode.
    double shown = std::nearbyint(leadingNumber(text) + 1.0);
    if (shown == 1.0)
        shown = kDefaultShownDigits;
    if (shown > kMaxShownDigits) {
        shown = kMaxShownDigits;
        if (capped != nullptr)
            *capped = true;
    }
    const double precision = shown + kHiddenDigits;
    if (!(precision >= 1.0))
        return 1;
    return static_cast<int32_t>(precision);
}

int32_t precisionForDigits(int32_t digits)
{
    return precisionFromText(std::to_string(digits), nullptr);
}

namespace {

RunResult runOnce(const std::string& exprUtf8, const std::string& precisionText, const AutoSaveHook& autoSave)
{
    RunResult run;
    const int32_t precision = precisionFromText(precisionText, &run.precisionCapped);
    // Before any copy of the text: reading it costs many times its length.
    if (exprUtf8.size() > kMaxExpressionBytes) {
        reportError(kExpressionTooLongMessage, MessageStyle::Warning);
        errorFlag = 0;
        return run;
    }
    run.expressionText = ansiRoundTrip(exprUtf8);
    // A negative digit count has no meaning; reading it as some small
    // precision would show a number with no correct digit.
    if (leadingNumber(precisionText) < 0.0) {
        reportError(kNegativePrecisionMessage, MessageStyle::Warning);
        errorFlag = 0;
        return run;
    }
    // A character the code page lacks would reach the evaluator as "?";
    // name the one the user typed.
    if (const char32_t lost = lostCharacter(exprUtf8, run.expressionText); lost != 0) {
        reportError(foreignCharacterMessage(lost), MessageStyle::Warning);
        errorFlag = 0;
        return run;
    }

    const BigNum value = myEvaluate(run.expressionText, precision);
    if (errorFlag == -1) {
        errorFlag = 0;
        run.stopped = stopRequested();
        clearStopRequest();
        return run;
    }
    if (value.isEmpty()) {
        // Every way through the evaluator ends in an operation or a message;
        // should one ever end in neither, say so instead of showing nothing.
        reportError("表达式中没有可计算的内容", MessageStyle::Warning);
        errorFlag = 0;
        return run;
    }
    run.resultText = myNumToStr(value);
    run.ok = true;

    if (autoSave) {
        const std::string cut = myNumToStr(myTruncSig(value, kAutoSaveDigits));
        autoSave(run.expressionText + " =" + cut);
    }
    return run;
}

} // namespace

RunResult evaluationRun(const std::string& exprUtf8, const std::string& precisionText, const AutoSaveHook& autoSave)
{
    const int32_t precisionBefore = workPrecision;
    try {
        return runOnce(exprUtf8, precisionText, autoSave);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
        // A length beyond what a string or vector can hold: the same
        // shortage, met before the allocation was tried.
    }
    // The records of the run are gone with the unwinding, so the message has
    // memory to be built in. The state a failing run would have reset by
    // itself is reset here: routines left halfway never restored the
    // precision they raised.
    workPrecision = precisionBefore;
    errorFlag = 0;
    clearStopRequest();
    reportError(kOutOfMemoryMessage, MessageStyle::Warning);
    errorFlag = 0;
    RunResult run;
    precisionFromText(precisionText, &run.precisionCapped);
    return run;
}
