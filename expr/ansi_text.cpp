#include "ansi_text.h"

#include <iconv.h>

#include <array>
#include <cerrno>

#include "utf8_text.h"

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
