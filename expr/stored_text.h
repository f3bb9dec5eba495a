// The byte layout of a stored text (memory files, the Open command): five
// header bytes holding the decimal digit values (0-9, not characters) of the
// text's length in bytes, most significant first, then the text in the
// Chinese ANSI code page (GBK / CP936). No terminator; anything after the
// text is ignored. Kept free of Qt so that the parsing can be fuzzed and
// tested without the window.
#pragma once

#include <cstddef>
#include <string>

constexpr int kStoredTextHeaderBytes = 5;
constexpr int kMaxStoredTextBytes = 99999; // what five decimal digits can count

enum class StoredTextParse {
    Ok,           // text holds the stored text (empty for no bytes at all or a length of 0)
    ShortHeader,  // fewer than five bytes
    BadLengthByte,// header byte badByteIndex (0-based) holds badByteValue, not 0..9
    ShortText,    // the header counts declaredLength bytes, only availableBytes follow
    NotGbk,       // the counted bytes are not a well-formed GBK text
};

struct StoredTextParsed {
    StoredTextParse status = StoredTextParse::Ok;
    std::string text; // UTF-8; empty unless status is Ok
    int badByteIndex = 0;
    int badByteValue = 0;
    int declaredLength = 0;
    size_t availableBytes = 0;
};

// Parses the contents of a stored-text file (size bytes at data).
StoredTextParsed parseStoredText(const char* data, size_t size);
