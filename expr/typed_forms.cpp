#include "expr/typed_forms.h"

#include "expr/expr_token.h"

bool isBlankChar(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\u3000';
}

void foldFullWidth(std::u32string& text)
{
    for (char32_t& c : text) {
        if (c >= U'０' && c <= U'９') {
            c = c - U'０' + U'0';
            continue;
        }
        switch (c) {
        case U'（': c = U'('; break;
        case U'）': c = U')'; break;
        case U'，': c = U','; break;
        case U'．':
        case U'。': c = U'.'; break;
        case U'＋': c = U'+'; break;
        case U'－': c = U'-'; break;
        case U'＊':
        case U'×': c = U'*'; break;
        case U'／':
        case U'÷': c = U'/'; break;
        case U'＼': c = U'\\'; break;
        case U'＾': c = U'^'; break;
        case U'！': c = U'!'; break;
        case U'＝': c = U'='; break;
        default: break;
        }
    }
}

namespace {

// A number as the display writes it: [-]digits.digits[E[-]digits].
bool isShownNumber(const std::u32string& s)
{
    size_t p = 0;
    if (p < s.size() && s[p] == U'-')
        ++p;
    const size_t digitsStart = p;
    bool point = false;
    while (p < s.size() && (isDigitChar(s[p]) || (s[p] == U'.' && !point))) {
        point = point || s[p] == U'.';
        ++p;
    }
    if (p == digitsStart || !point) // the display always writes a point: 5.0
        return false;
    if (p < s.size() && s[p] == U'E') {
        ++p;
        if (p < s.size() && s[p] == U'-')
            ++p;
        const size_t exponentStart = p;
        while (p < s.size() && isDigitChar(s[p]))
            ++p;
        if (p == exponentStart)
            return false;
    }
    return p == s.size();
}

} // namespace

bool dropShownResults(std::u32string& text)
{
    const size_t first = text.find(U'=');
    if (first == std::u32string::npos)
        return true;
    size_t start = first + 1;
    while (true) {
        const size_t end = std::min(text.find(U'=', start), text.size());
        std::u32string part;
        for (size_t p = start; p < end; ++p)
            if (!isBlankChar(text[p]))
                part.push_back(text[p]);
        if (!part.empty() && !isShownNumber(part))
            return false;
        if (end == text.size())
            break;
        start = end + 1;
    }
    text.erase(first);
    return true;
}
