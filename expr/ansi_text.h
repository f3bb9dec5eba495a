// The window reads the expression box through the system's ANSI code page
// (Chinese, GBK / CP936), so an expression only ever holds characters that
// code page has. The command line goes through the same filter, so that both
// evaluate the same text.
#pragma once

#include <string>

// UTF-8 text as it comes back after a trip through CP936: characters the code
// page lacks, and bytes that are not well-formed UTF-8, become "?".
std::string ansiRoundTrip(const std::string& utf8);
