#include "tests/support/expression_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
const double kNaN = std::nan("");


std::u32string decode(const std::string& s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
        for (int k = 1; k < n && i + static_cast<size_t>(k) < s.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
        out.push_back(c);
        i += static_cast<size_t>(n);
    }
    return out;
}

struct Token {
    char32_t sym = 0; // operator or bracket; 0 for numbers and words
    double number = 0.0;
    std::string word; // nonempty for words
    bool isNumber = false;
};

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isLetter(char32_t c) { return c >= U'a' && c <= U'z'; }

// Characters to tokens, with the operators a user may leave out made
// explicit: 2(3) and (1)(2) and (1)2 and (1)sin2 multiply, 30°15′ adds.
std::vector<Token> lex(const std::string& utf8)
{
    std::u32string s;
    for (char32_t c : decode(utf8)) {
        if (c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\u3000')
            continue;
        if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
        if (c >= U'０' && c <= U'９')
            c = c - U'０' + U'0';
        const std::map<char32_t, char32_t> fullWidth = {{U'（', U'('}, {U'）', U')'}, {U'，', U','},
                                                         {U'×', U'*'}, {U'÷', U'/'}, {U'．', U'.'},
                                                         {U'＋', U'+'}, {U'－', U'-'}};
        if (auto it = fullWidth.find(c); it != fullWidth.end())
            c = it->second;
        s.push_back(c);
    }
    std::vector<Token> out;
    for (size_t i = 0; i < s.size();) {
        const char32_t c = s[i];
        const char32_t before = i > 0 ? s[i - 1] : 0;
        if (isDigit(c) || c == U'.') {
            size_t j = i;
            while (j < s.size() && (isDigit(s[j]) || s[j] == U'.'))
                ++j;
            std::string text(s.begin() + static_cast<long>(i), s.begin() + static_cast<long>(j));
            if (std::count(text.begin(), text.end(), '.') > 1)
                throw std::runtime_error("numeral");
            if (before == U')')
                out.push_back({U'*', 0.0, "", false});
            if (before == U'°' || before == U'′')
                out.push_back({U'&', 0.0, "", false}); // the angle goes on: 30°15′
            out.push_back({0, text == "." ? 0.0 : std::strtod(text.c_str(), nullptr), "", true});
            i = j;
        } else if (isLetter(c)) {
            size_t j = i;
            while (j < s.size() && isLetter(s[j]))
                ++j;
            std::string word(s.begin() + static_cast<long>(i), s.begin() + static_cast<long>(j));
            if (before == U')' && word != "e")
                out.push_back({U'*', 0.0, "", false});
            out.push_back({0, 0.0, word, false});
            i = j;
        } else {
            if (c == U'(' && (isDigit(before) || before == U'.' || before == U')'))
                out.push_back({U'*', 0.0, "", false});
            out.push_back({c, 0.0, "", false});
            ++i;
        }
    }
    return out;
}

double factorial(double n, int step)
{
    if (n < 0 || n != std::floor(n))
        return kNaN;
    double p = 1;
    for (double k = n; k > 1; k -= step)
        p *= k;
    return p;
}

// Beyond 2^53 a double holds no exact integer part, so a remainder taken of it
// means nothing; such a reading counts as out of range.
constexpr double kExactIntegers = 9007199254740992.0;
const double kInf = std::numeric_limits<double>::infinity();

// Angles are taken modulo a full turn first, with the sign of the angle.
double degreesToRadians(double x)
{
    return std::fabs(x) > kExactIntegers ? kInf : std::fmod(x, 360) * kPi / 180;
}

const std::map<std::string, double (*)(double)>& functions()
{
    static const std::map<std::string, double (*)(double)> table = {
        {"int", [](double x) { return std::trunc(x); }},
        {"frac", [](double x) { return x - std::trunc(x); }},
        {"radian", [](double x) { return degreesToRadians(x); }},
        {"angle", [](double x) { return std::fabs(x) > kExactIntegers ? kInf : std::fmod(x, 2 * kPi) * 180 / kPi; }},
        {"exp", [](double x) { return std::exp(x); }},
        {"ln", [](double x) { return x > 0 ? std::log(x) : kNaN; }},
        {"log", [](double x) { return x > 0 ? std::log10(x) : kNaN; }},
        {"sin", [](double x) { return std::sin(x); }},
        {"cos", [](double x) { return std::cos(x); }},
        {"tan", [](double x) { return std::tan(x); }},
        {"cot", [](double x) { return 1 / std::tan(x); }},
        {"asin", [](double x) { return std::asin(x); }},
        {"acos", [](double x) { return std::acos(x); }},
        {"atan", [](double x) { return std::atan(x); }},
        {"acot", [](double x) { return kPi / 2 - std::atan(x); }},
        {"sinh", [](double x) { return std::sinh(x); }},
        {"cosh", [](double x) { return std::cosh(x); }},
        {"tanh", [](double x) { return std::tanh(x); }},
        {"coth", [](double x) { return 1 / std::tanh(x); }},
        {"arsinh", [](double x) { return std::asinh(x); }},
        {"arcosh", [](double x) { return std::acosh(x); }},
        {"artanh", [](double x) { return std::atanh(x); }},
        {"arcoth", [](double x) { return std::atanh(1 / x); }},
        {"cuberoot", [](double x) { return std::cbrt(x); }},
        {"doujc", [](double x) { return factorial(x, 2); }},
    };
    return table;
}

// Precedence, loosest first: + -; * / \ (and the implicit *); ^ and the
// postfix operators, left to right; functions; the exponent letter e;
// numbers, π, natural and brackets.
class Reader {
public:
    explicit Reader(std::vector<Token> tokens) : t_(std::move(tokens)) {}

    ReadValue run()
    {
        const double v = expr();
        if (p_ != t_.size())
            throw std::runtime_error("trailing");
        const auto status = overflow_ ? ReadValue::Status::Overflow
                            : undefined_ ? ReadValue::Status::Undefined
                                         : ReadValue::Status::Value;
        return {status, v, scale_};
    }

private:
    bool atSym(char32_t c) const { return p_ < t_.size() && t_[p_].sym == c && !t_[p_].isNumber; }
    bool atWord(const char* w) const { return p_ < t_.size() && t_[p_].word == w; }
    void expect(char32_t c)
    {
        if (!atSym(c))
            throw std::runtime_error("expected");
        ++p_;
    }
    double seen(double v)
    {
        // The reading goes on after an undefined value, so that a text
        // that is no expression is still told apart.
        if (std::isnan(v))
            (std::isinf(scale_) ? overflow_ : undefined_) = true; // inf - inf left the range before
        else
            scale_ = std::max(scale_, std::fabs(v));
        return v;
    }

    double expr()
    {
        double v = 0;
        if (!atSym(U'+') && !atSym(U'-'))
            v = term();
        while (atSym(U'+') || atSym(U'-')) {
            const bool minus = atSym(U'-');
            ++p_;
            const double r = term();
            v = seen(minus ? v - r : v + r);
        }
        return v;
    }

    double term()
    {
        double v = chain();
        while (atSym(U'*') || atSym(U'/') || atSym(U'\\')) {
            const char32_t op = t_[p_++].sym;
            const double r = chain();
            if (op != U'*' && r == 0)
                undefined_ = true;
            if (op == U'\\' && std::fabs(v / r) > kExactIntegers)
                v = seen(kInf);
            else
                v = seen(op == U'*' ? v * r : op == U'/' ? v / r : std::trunc(v / r));
        }
        return v;
    }

    double chain()
    {
        double v = application();
        while (true) {
            if (atSym(U'^')) {
                ++p_;
                double sign = 1;
                if (atSym(U'+') || atSym(U'-')) {
                    sign = t_[p_++].sym == U'-' ? -1 : 1;
                    if (atSym(U'(')) // the sign belongs to one number, not to a bracket
                        throw std::runtime_error("signed bracket");
                }
                const double r = sign * application();
                v = seen(v < 0 && r != std::floor(r) ? kNaN : std::pow(v, r));
            } else if (atSym(U'!')) {
                ++p_;
                v = seen(factorial(v, 1));
            } else if (atSym(U'√')) {
                ++p_;
                v = seen(v < 0 ? kNaN : std::sqrt(v));
            } else if (atSym(U'°') || atSym(U'′') || atSym(U'″')) {
                v = seen(degreesToRadians(v / angleUnit()));
                // Degrees, minutes and seconds written together are one angle.
                while (atSym(U'&')) {
                    ++p_;
                    const double part = primary();
                    v = seen(v + degreesToRadians(part / angleUnit()));
                }
            } else {
                return v;
            }
        }
    }

    // The mark at the reading position, as its count in a degree.
    double angleUnit()
    {
        if (!atSym(U'°') && !atSym(U'′') && !atSym(U'″'))
            throw std::runtime_error("angle");
        const char32_t mark = t_[p_++].sym;
        return mark == U'°' ? 1 : mark == U'′' ? 60 : 3600; // the mark's part of a degree
    }

    double application()
    {
        if (atWord("mod") || atWord("yroot")) {
            const bool isMod = atWord("mod");
            ++p_;
            expect(U'(');
            const double a = expr();
            expect(U',');
            const double b = expr();
            expect(U')');
            if (isMod)
                return seen(b == 0 ? kNaN : std::fabs(a / b) > kExactIntegers ? kInf : std::fmod(a, b));
            const bool oddIndex = std::fmod(std::fabs(a), 2) == 1;
            if (b < 0 && !oddIndex)
                return kNaN;
            return seen(b < 0 ? -std::pow(-b, 1 / a) : std::pow(b, 1 / a));
        }
        if (p_ < t_.size() && !t_[p_].word.empty() && t_[p_].word != "e" && t_[p_].word != "natural") {
            const auto it = functions().find(t_[p_].word);
            if (it == functions().end())
                throw std::runtime_error("word");
            ++p_;
            const double argument = scaled();
            // sin30° could be the sine of 30° or (sin30)°: not an expression.
            if (lastWasValue_ && (atSym(U'!') || atSym(U'√') || atSym(U'°') || atSym(U'′') || atSym(U'″')))
                throw std::runtime_error("ambiguous");
            return seen(it->second(argument));
        }
        return scaled();
    }

    double scaled()
    {
        double v = primary();
        while (atWord("e")) {
            if (!lastWasValue_)
                throw std::runtime_error("e");
            ++p_;
            double sign = 1;
            if (atSym(U'+') || atSym(U'-'))
                sign = t_[p_++].sym == U'-' ? -1 : 1;
            const double r = sign * primary();
            v = seen(r == std::floor(r) ? v * std::pow(10.0, r) : kNaN);
        }
        return v;
    }

    double primary()
    {
        if (p_ >= t_.size())
            throw std::runtime_error("end");
        const Token& t = t_[p_];
        lastWasValue_ = true;
        if (t.isNumber) {
            ++p_;
            return seen(t.number);
        }
        if (t.sym == U'π' || t.word == "natural") {
            ++p_;
            return t.sym == U'π' ? kPi : std::numbers::e;
        }
        if (t.sym == U'(') {
            ++p_;
            const double v = expr();
            expect(U')');
            lastWasValue_ = false; // e may not follow a bracket
            return v;
        }
        throw std::runtime_error("operand");
    }

    std::vector<Token> t_;
    size_t p_ = 0;
    double scale_ = 0;
    bool lastWasValue_ = false;
    bool undefined_ = false;
    bool overflow_ = false;
};

} // namespace

ReadValue readExpression(const std::string& utf8)
{
    ReadValue r;
    try {
        r = Reader(lex(utf8)).run();
    } catch (const std::runtime_error&) {
        r.status = ReadValue::Status::NotAnExpression;
        return r;
    }
    if (r.status == ReadValue::Status::Value && (std::isinf(r.value) || r.scale > 1e250))
        r.status = ReadValue::Status::Overflow;
    r.scale = std::max(r.scale, std::fabs(r.value));
    return r;
}
