#include "preprocess.h"

#include <algorithm>
#include <limits>

#include "expr_token.h"
#include "globals.h"
#include "utf8_text.h"

namespace {

// Marks "no character" past the end of the text; never a code point.
constexpr char32_t kNone = 0xFFFFFFFF;

// Memory letters in the order they are substituted: a memory brought in by an
// earlier letter is itself expanded by the later ones (J holding "A" ends up
// with memory A's text). E is not a memory letter (it is the exponent), so
// memory E is written X.
struct MemoryLetter {
    char32_t letter;
    size_t memory;
};
constexpr MemoryLetter kMemoryLetters[] = {
    {U'J', 9}, {U'I', 8}, {U'H', 7}, {U'G', 6}, {U'F', 5},
    {U'X', 4}, {U'D', 3}, {U'C', 2}, {U'B', 1}, {U'A', 0},
};

std::u32string substituteMemories(const std::u32string& text)
{
    std::u32string s = text;
    for (const MemoryLetter& m : kMemoryLetters) {
        if (s.find(m.letter) == std::u32string::npos)
            continue;
        const std::u32string content = decodeUtf8(memoryText[m.memory]);
        std::u32string replaced;
        replaced.reserve(s.size());
        for (char32_t c : s) {
            if (c == m.letter)
                replaced += content;
            else
                replaced.push_back(c);
        }
        s.swap(replaced);
    }
    return s;
}

// The characters still to walk: those inserted after the current position
// come first, then the rest of the text. Inserting into the text itself would
// move its whole tail every time, which is quadratic for long expressions.
class Walk {
public:
    explicit Walk(const std::u32string& text) : text_(text) {}

    bool atEnd() const { return pending_.empty() && next_ >= text_.size(); }

    char32_t take()
    {
        if (!pending_.empty()) {
            const char32_t c = pending_.front();
            pending_.erase(0, 1);
            return c;
        }
        return text_[next_++];
    }

    // The k-th character after the current one (0: the next one), or kNone.
    char32_t peek(size_t k) const
    {
        if (k < pending_.size())
            return pending_[k];
        k -= pending_.size();
        return next_ + k < text_.size() ? text_[next_ + k] : kNone;
    }

    // Puts s directly after the current character; the walk goes on with it.
    void insertNext(const std::u32string& s) { pending_.insert(0, s); }

private:
    const std::u32string& text_;
    size_t next_ = 0;
    std::u32string pending_;
};

// True when the "/" just taken is followed by a number written as zero: "0"
// then any "0" and "." up to the end or to a character that is not a digit
// (5/0, 5/00, 5/0.0, 5/0+1; 5/0.5 and 5/07 divide by something else).
bool dividesByWrittenZero(const Walk& walk)
{
    if (walk.peek(0) != U'0')
        return false;
    size_t k = 1;
    char32_t d = walk.peek(k);
    while (d == U'0' || d == U'.')
        d = walk.peek(++k);
    return !isDigitChar(d);
}

// What to insert after c when the next character is n (at most one insertion
// per position).
std::u32string insertionAfter(char32_t c, char32_t n)
{
    if (c == U')' && n == U'(')
        return U"*";
    if (c == U')' && isLetter(n))
        return U"*";
    if (n == U'(' && isDigitChar(c))
        return U"*";
    if (c == U')' && isDigitChar(n))
        return U"*";
    if (c == U'(' && n == U'-')
        return U"0";
    if (c == U'(' && isDigitChar(n) && n != U'0')
        return U"0+";
    if ((c == U'°' || c == U'′') && isDigitChar(n))
        return U"+";
    return U"";
}

} // namespace

int16_t myPreprocess(std::u32string& text, int32_t& length)
{
    if (errorFlag == -1)
        return kPreprocessReady;

    std::u32string s = substituteMemories(text);
    for (char32_t& c : s)
        if (c >= U'A' && c <= U'Z')
            c = c - U'A' + U'a';
    std::erase_if(s, [](char32_t c) { return c == U' ' || c == U'\r' || c == U'\n'; });
    if (s.empty())
        return kPreprocessEmpty;
    if (s.front() == U'+' || s.front() == U'-')
        s.insert(0, U"0");

    std::u32string prepared = U"0+";
    prepared.reserve(s.size() + s.size() / 2 + 2);
    Walk walk(s);
    while (!walk.atEnd()) {
        const char32_t c = walk.take();
        const char32_t n = walk.peek(0);
        if (c == U'/' && dividesByWrittenZero(walk))
            return kPreprocessDivisionByZero;
        if (n != kNone)
            walk.insertNext(insertionAfter(c, n));
        prepared.push_back(c);
    }

    // Only the counts are compared: ")(" passes, as it always has.
    const auto opens = std::count(prepared.begin(), prepared.end(), U'(');
    const auto closes = std::count(prepared.begin(), prepared.end(), U')');
    if (opens != closes)
        return kPreprocessUnbalanced;

    text = std::move(prepared);
    length = static_cast<int32_t>(std::min<size_t>(text.size(), std::numeric_limits<int32_t>::max()));
    return kPreprocessReady;
}
