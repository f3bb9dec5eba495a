#include "expr/ansi_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include "expr/utf8_text.h"

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; false when any of it cannot be converted.
    bool convert(const char* in, size_t inSize, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // fresh shift state
        std::array<char, 32> buffer{};
        char* src = const_cast<char*>(in);
        size_t srcLeft = inSize;
        char* dst = buffer.data();
        size_t dstLeft = buffer.size();
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
            return false;
        out.assign(buffer.data(), buffer.size() - dstLeft);
        return true;
    }

private:
    iconv_t cd_;
};

} // namespace

std::string ansiRoundTrip(const std::string& utf8)
{
    // Plain ASCII reads the same in the code page; most expressions are
    // that, and they need not load the converter at all.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return utf8;
    const std::u32string points = decodeUtf8(utf8);
    Converter toAnsi("CP936", "UTF-32LE");
    Converter fromAnsi("UTF-32LE", "CP936");
    const bool haveCodePage = toAnsi.ok() && fromAnsi.ok();

    std::u32string result;
    result.reserve(points.size());
    std::string ansi;
    std::string back;
    for (char32_t cp : points) {
        if (cp < 0x80) { // ASCII is the same in the code page
            result.push_back(cp);
            continue;
        }
        if (cp == kReplacementCharacter || !haveCodePage) {
            result.push_back(U'?');
            continue;
        }
        const std::array<unsigned char, 4> bytes{static_cast<unsigned char>(cp & 0xFF),
                                                 static_cast<unsigned char>((cp >> 8) & 0xFF),
                                                 static_cast<unsigned char>((cp >> 16) & 0xFF),
                                                 static_cast<unsigned char>((cp >> 24) & 0xFF)};
        if (!toAnsi.convert(reinterpret_cast<const char*>(bytes.data()), bytes.size(), ansi) ||
            !fromAnsi.convert(ansi.data(), ansi.size(), back) || back.size() % 4 != 0) {
            result.push_back(U'?');
            continue;
        }
        for (size_t k = 0; k + 3 < back.size(); k += 4) {
            const auto b = [&](size_t j) { return static_cast<char32_t>(static_cast<unsigned char>(back[k + j])); };
            result.push_back(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
        }
    }
    return encodeUtf8(result);
}

std::string utf8ToAnsi(const std::string& utf8)
{
    const std::u32string points = decodeUtf8(utf8);
    Converter toAnsi("CP936", "UTF-32LE");
    std::string result;
    result.reserve(utf8.size());
    std::string ansi;
    for (char32_t cp : points) {
        if (cp < 0x80) {
            result.push_back(static_cast<char>(cp));
            continue;
        }
        const std::array<unsigned char, 4> bytes{static_cast<unsigned char>(cp & 0xFF),
                                                 static_cast<unsigned char>((cp >> 8) & 0xFF),
                                                 static_cast<unsigned char>((cp >> 16) & 0xFF),
                                                 static_cast<unsigned char>((cp >> 24) & 0xFF)};
        if (cp == kReplacementCharacter || !toAnsi.ok() ||
            !toAnsi.convert(reinterpret_cast<const char*>(bytes.data()), bytes.size(), ansi))
            result.push_back('?');
        else
            result += ansi;
    }
    return result;
}

bool ansiToUtf8(const std::string& ansi, std::string& utf8)
{
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    // No code-page byte gives more than three bytes of UTF-8 (a single 0x80
    // is the euro sign), so three times the input is always enough.
    std::string out(ansi.size() * 3 + 4, '\0');
    char* src = const_cast<char*>(ansi.data());
    size_t srcLeft = ansi.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || srcLeft != 0)
        return false;
    out.resize(out.size() - dstLeft);
    utf8 = std::move(out);
    return true;
}
