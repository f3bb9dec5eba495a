// The memories A..J (E is written X): the texts the pre-processor substitutes
// for their letters. The window's memory panel and memory file fill them.
#pragma once

#include <array>
#include <string>

extern std::array<std::string, 10> memoryText;
