#include "expr/tokenizer.h"

#include <algorithm>

#include "bignum/globals.h"
#include "expr/utf8_text.h"

const char* const kExpressionTooLargeMessage = "表达式过长或括号嵌套过深，无法计算";

std::string foreignCharacterMessage(char32_t c)
{
    return "表达式中有无法识别的字符“" + encodeUtf8(std::u32string(1, c)) + "”";
}

namespace {

constexpr int32_t kFirstToken = 2;
constexpr int32_t kBracketStep = 8;

struct RawToken {
    TokenKind kind;
    std::string text;
};

bool refuseTooLarge()
{
    reportError(kExpressionTooLargeMessage, MessageStyle::Warning);
    return false;
}

std::string asciiRun(const std::u32string& text, size_t first, size_t last)
{
    std::string run;
    run.reserve(last - first + 1);
    for (size_t p = first; p <= last; ++p)
        run.push_back(static_cast<char>(text[p]));
    return run;
}

enum class Split { Done, TooMany, Foreign };

// Splits the text into tokens. Stops early once more tokens than a 16-bit
// table can index have been made, or at a character that belongs to no token
// (*foreign then holds it).
Split splitTokens(const std::u32string& text, std::vector<RawToken>& raw, char32_t* foreign)
{
    constexpr size_t kMaxTokens = static_cast<size_t>(kMaxTokenIndex - kFirstToken);
    size_t runStart = std::u32string::npos;
    for (size_t p = 0; p < text.size(); ++p) {
        const char32_t c = text[p];
        const char32_t n = p + 1 < text.size() ? text[p + 1] : U' ';
        TokenKind kind{};
        if (isDigitChar(c) || c == U'.') {
            if (runStart == std::u32string::npos)
                runStart = p;
            // Any other character ends a number, "," included, which is how
            // the two arguments of mod(7,3) are told apart.
            if (!isDigitChar(n) && n != U'.') {
                raw.push_back({TokenKind::Number, asciiRun(text, runStart, p)});
                runStart = std::u32string::npos;
            }
        } else if (symbolKind(c, kind)) {
            raw.push_back({kind, encodeUtf8(std::u32string(1, c))});
        } else if (isLowerLetter(c)) {
            if (runStart == std::u32string::npos)
                runStart = p;
            if (!isLowerLetter(n)) {
                std::string word = asciiRun(text, runStart, p);
                const TokenKind wk = wordKind(word);
                raw.push_back({wk, std::move(word)});
                runStart = std::u32string::npos;
            }
        } else {
            // A character the language does not know would otherwise vanish
            // and leave a text that reads as something the user did not write.
            *foreign = c;
            return Split::Foreign;
        }
        if (raw.size() > kMaxTokens)
            return Split::TooMany;
    }
    return Split::Done;
}

} // namespace

int64_t tableUpperIndex(const std::u32string& text)
{
    int64_t upper = 5;
    for (size_t p = 0; p < text.size(); ++p) {
        const char32_t c = text[p];
        if (!isDigitChar(c) && c != U'.') {
            upper += 2;
            if (c == U'(' || c == U')')
                upper -= 1;
        }
        if (isLowerLetter(c)) {
            if (p + 1 < text.size()) {
                upper -= 1;
                if (p > 0 && isLowerLetter(text[p - 1]))
                    upper -= 1;
            } else {
                upper -= 2;
            }
        }
    }
    return upper + 10;
}

bool myTokenize(const std::u32string& text, int16_t& highestPriority, int16_t& upper,
                std::vector<ExprToken>& table)
{
    table.clear();
    if (errorFlag == -1)
        return false;
    highestPriority = 1;

    const int64_t asked = tableUpperIndex(text);
    if (asked > kMaxTokenIndex)
        return refuseTooLarge();
    std::vector<RawToken> raw;
    char32_t foreign = 0;
    switch (splitTokens(text, raw, &foreign)) {
    case Split::Done: break;
    case Split::TooMany: return refuseTooLarge();
    case Split::Foreign:
        reportError(foreignCharacterMessage(foreign), MessageStyle::Warning);
        return false;
    }
    // One empty slot after the last token at least.
    const int64_t needed = kFirstToken + static_cast<int64_t>(raw.size());
    const int64_t upperIndex = std::max(asked, needed);
    if (upperIndex > kMaxTokenIndex)
        return refuseTooLarge();

    // Priorities from a running bracket depth; everything inside a pair of
    // brackets outranks everything outside it, since no base exceeds 7.
    std::vector<int64_t> priorities(raw.size());
    int64_t depth = 0;
    int64_t highest = 1;
    for (size_t t = 0; t < raw.size(); ++t) {
        if (raw[t].kind == TokenKind::Open)
            depth += kBracketStep;
        else if (raw[t].kind == TokenKind::Close)
            depth -= kBracketStep;
        priorities[t] = basePriority(raw[t].kind) + depth;
        if (priorities[t] > kMaxTokenIndex || priorities[t] < -kMaxTokenIndex - 1)
            return refuseTooLarge();
        highest = std::max(highest, priorities[t]);
    }

    upper = static_cast<int16_t>(upperIndex);
    highestPriority = static_cast<int16_t>(highest);
    table.assign(static_cast<size_t>(upperIndex) + 1, ExprToken{});
    for (size_t t = 0; t < raw.size(); ++t) {
        const auto index = static_cast<int16_t>(kFirstToken + static_cast<int32_t>(t));
        ExprToken& token = table[static_cast<size_t>(index)];
        token.kind = raw[t].kind;
        token.text = std::move(raw[t].text);
        token.priority = static_cast<int16_t>(priorities[t]);
        token.active = 1;
        token.position = index;
        token.prev = static_cast<int16_t>(index - 1);
        token.next = static_cast<int16_t>(index + 1);
    }

    // Numerals last, so that a text refused for its size reports only that.
    for (ExprToken& token : table) {
        if (token.active == 0 || token.kind != TokenKind::Number)
            continue;
        token.value = myStrToNum(token.text);
        if (errorFlag == -1)
            return false;
        if (token.value.isEmpty()) {
            reportError("“" + token.text + "”不是一个有效的数", MessageStyle::Warning);
            return false;
        }
    }
    return true;
}
