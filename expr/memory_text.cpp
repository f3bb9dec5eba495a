#include "expr/memory_text.h"

std::array<std::string, 10> memoryText{};
