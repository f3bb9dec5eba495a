// How large a typed expression may be. A numeral costs about 22 bytes of
// memory per digit while it is read (the text in UTF-32, the token's copy, one
// limb per digit, then the regrouped record), so a text beyond this many bytes
// would need more than about 220 MB before the first operation; it is refused
// with a message before anything is allocated for it. No result shows more
// than 10,000 significant digits, so no meaningful expression comes near it.
#pragma once

#include <cstddef>

constexpr size_t kMaxExpressionBytes = 10'000'000;

// Refusal of a text longer than kMaxExpressionBytes, before or after the
// memories are put in.
extern const char* const kExpressionTooLongMessage;

// Reported when the memory runs out in the middle of an evaluation.
extern const char* const kOutOfMemoryMessage;
