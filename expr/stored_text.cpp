#include "expr/stored_text.h"

#include "expr/ansi_text.h"

StoredTextParsed parseStoredText(const char* data, size_t size)
{
    StoredTextParsed parsed;
    if (size == 0) // an empty file stores the empty text
        return parsed;
    if (size < static_cast<size_t>(kStoredTextHeaderBytes)) {
        parsed.status = StoredTextParse::ShortHeader;
        return parsed;
    }
    int n = 0;
    for (int k = 0; k < kStoredTextHeaderBytes; ++k) {
        const auto digit = static_cast<unsigned char>(data[k]);
        if (digit > 9) {
            parsed.status = StoredTextParse::BadLengthByte;
            parsed.badByteIndex = k;
            parsed.badByteValue = digit;
            return parsed;
        }
        n = n * 10 + digit;
    }
    const size_t available = size - static_cast<size_t>(kStoredTextHeaderBytes);
    if (static_cast<size_t>(n) > available) {
        parsed.status = StoredTextParse::ShortText;
        parsed.declaredLength = n;
        parsed.availableBytes = available;
        return parsed;
    }
    const std::string ansi(data + kStoredTextHeaderBytes, static_cast<size_t>(n));
    if (!ansiToUtf8(ansi, parsed.text)) {
        parsed.status = StoredTextParse::NotGbk;
        parsed.text.clear();
    }
    return parsed;
}
