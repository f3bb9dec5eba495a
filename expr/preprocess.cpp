#include "expr/preprocess.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "expr/expr_token.h"
#include "bignum/globals.h"
#include "expr/input_bounds.h"
#include "expr/memory_text.h"
#include "expr/typed_forms.h"
#include "expr/utf8_text.h"

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

// False, leaving s unfinished, when the memories would make the text longer
// than kMaxExpressionBytes: a long memory used many times (or brought in by
// other memories) would otherwise multiply its length unchecked.
bool substituteMemories(std::u32string& s)
{
    for (const MemoryLetter& m : kMemoryLetters) {
        const auto uses = static_cast<size_t>(std::count(s.begin(), s.end(), m.letter));
        if (uses == 0)
            continue;
        const std::u32string content = decodeUtf8(memoryText[m.memory]);
        if (content.size() > 1 && (content.size() - 1) > (kMaxExpressionBytes - std::min(s.size(), kMaxExpressionBytes)) / uses)
            return false;
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
    return true;
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

// What to insert after c when the next characters are n and n2 (at most one
// insertion per position).
std::u32string insertionAfter(char32_t c, char32_t n, char32_t n2)
{
    if (c == U')' && n == U'(')
        return U"*";
    // A lone "e" after ")" stays as typed: the exponent letter belongs to a
    // number, and (1/3)e2 is reported rather than read as (1/3)*e2.
    if (c == U')' && isLetter(n) && !(n == U'e' && !isLetter(n2)))
        return U"*";
    if (n == U'(' && isDigitChar(c))
        return U"*";
    if (c == U')' && isDigitChar(n))
        return U"*";
    // A sign right after "(" or after the comma of mod(,) and yroot(,) is
    // the sign of what follows: (-2) is (0-2), mod(7,-2) is mod(7,0-2).
    if ((c == U'(' || c == U',') && (n == U'-' || n == U'+'))
        return U"0";
    if (c == U'(' && isDigitChar(n) && n != U'0')
        return U"0+";
    if ((c == U'°' || c == U'′') && isDigitChar(n))
        return U"+";
    return U"";
}

bool isAngleMark(char32_t c) { return c == U'°' || c == U'′' || c == U'″'; }
bool isNumeralChar(char32_t c) { return isDigitChar(c) || c == U'.'; }
bool isOperatorOrOpening(char32_t c) { return std::u32string_view(U"+-*/\\^(,").find(c) != std::u32string_view::npos; }

// Degrees, minutes and seconds written together (30°15′20″) are one angle:
// the "+" put between its parts must not let a "-" or "*" before it take
// only the degrees, so the group goes into brackets: 2-8°4′ is 2-(8°+4′).
class AngleGroups {
public:
    // Called after c has been appended to prepared; n is the character that
    // follows c (kNone at the end).
    void after(std::u32string& prepared, char32_t c, char32_t n)
    {
        const size_t mark = prepared.size() - 1;
        if (!open_ && (c == U'°' || c == U'′') && isDigitChar(n)) {
            // Only a numeral starts an angle: π′17 or (1+2)°30′ would add
            // a part to something that is no number of degrees.
            if (mark == 0 || !isNumeralChar(prepared[mark - 1])) {
                // A mark with nothing before it is left to the check of the
                // token table, which says where the mark belongs.
                malformed_ = mark > 0 && !isOperatorOrOpening(prepared[mark - 1]);
                return;
            }
            size_t start = mark;
            while (start > 0 && isNumeralChar(prepared[start - 1]))
                --start;
            // sin30°15′ stays unbracketed: whether the sine or the angle is
            // meant is not for the brackets to decide (the check reports it).
            bracketed_ = start == 0 || !isLowerLetter(prepared[start - 1]);
            if (bracketed_)
                opens_.push_back(start);
            open_ = true;
            return;
        }
        if (!open_)
            return;
        const bool ends = isAngleMark(c) ? !isDigitChar(n)
                                         : isNumeralChar(c) && !isNumeralChar(n) && !isAngleMark(n);
        if (ends) {
            if (bracketed_)
                prepared.push_back(U')');
            open_ = false;
            // 30°15 would add 15 radians: every part after the first needs
            // its mark.
            if (!isAngleMark(c))
                malformed_ = true;
        }
    }

    // An angle part without its mark, or a part added to something that is
    // no numeral.
    bool malformed() const { return malformed_; }

    // Puts the opening brackets in, in one pass.
    void bracket(std::u32string& prepared) const
    {
        if (opens_.empty())
            return;
        std::u32string out;
        out.reserve(prepared.size() + opens_.size());
        size_t next = 0;
        for (size_t p = 0; p < prepared.size(); ++p) {
            if (next < opens_.size() && opens_[next] == p) {
                out.push_back(U'(');
                ++next;
            }
            out.push_back(prepared[p]);
        }
        prepared.swap(out);
    }

private:
    std::vector<size_t> opens_; // positions in the prepared text before which "(" goes
    bool open_ = false;
    bool malformed_ = false;
    bool bracketed_ = false; // the open group has its "("
};

} // namespace

int16_t myPreprocess(std::u32string& text, int32_t& length)
{
    if (errorFlag == -1)
        return kPreprocessReady;

    std::u32string s = text;
    if (s.size() > kMaxExpressionBytes || !substituteMemories(s))
        return kPreprocessTooLong;
    foldFullWidth(s);
    if (!dropShownResults(s))
        return kPreprocessTextAfterResult;
    for (char32_t& c : s)
        if (c >= U'A' && c <= U'Z')
            c = c - U'A' + U'a';
    std::erase_if(s, isBlankChar);
    if (s.empty())
        return kPreprocessEmpty;
    if (s.front() == U'+' || s.front() == U'-')
        s.insert(0, U"0");

    std::u32string prepared = U"0+";
    prepared.reserve(s.size() + s.size() / 2 + 2);
    Walk walk(s);
    AngleGroups angles;
    while (!walk.atEnd()) {
        const char32_t c = walk.take();
        const char32_t n = walk.peek(0);
        if (c == U'/' && dividesByWrittenZero(walk))
            return kPreprocessDivisionByZero;
        if (n != kNone)
            walk.insertNext(insertionAfter(c, n, walk.peek(1)));
        prepared.push_back(c);
        angles.after(prepared, c, n);
    }
    if (angles.malformed())
        return kPreprocessMalformedAngle;
    angles.bracket(prepared);

    // Only the counts are compared: ")(" passes, as it always has.
    const auto opens = std::count(prepared.begin(), prepared.end(), U'(');
    const auto closes = std::count(prepared.begin(), prepared.end(), U')');
    if (opens != closes)
        return kPreprocessUnbalanced;

    text = std::move(prepared);
    length = static_cast<int32_t>(std::min<size_t>(text.size(), std::numeric_limits<int32_t>::max()));
    return kPreprocessReady;
}
