// The window reads the expression box through the system's ANSI code page
// (Chinese, GBK / CP936), so an expression only ever holds characters that
// code page has. The command line goes through the same filter, so that both
// evaluate the same text.
#pragma once

#include <string>

// UTF-8 text as it comes back after a trip through CP936: characters the code
// page lacks, and bytes that are not well-formed UTF-8, become "?".
std::string ansiRoundTrip(const std::string& utf8);

// UTF-8 text as CP936 bytes, as the window writes stored texts and the daily
// log: characters the code page lacks, and bytes that are not well-formed
// UTF-8, become "?".
std::string utf8ToAnsi(const std::string& utf8);

// CP936 bytes as UTF-8. False, with utf8 untouched, when the bytes are not a
// well-formed CP936 text (a damaged file must not be read as something else).
bool ansiToUtf8(const std::string& ansi, std::string& utf8);
