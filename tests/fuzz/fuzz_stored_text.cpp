// The parser of stored-text files (memory files, Open): any bytes give either
// the stored text or a reason, and an accepted text is exactly what writing
// it back would store.
#include <string>

#include "expr/ansi_text.h"
#include "tests/fuzz/fuzz_support.h"
#include "expr/stored_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const StoredTextParsed parsed = parseStoredText(bytes, size);
    if (parsed.status != StoredTextParse::Ok) {
        fuzzCheck(parsed.text.empty(), "a refused file still gave a text");
        return 0;
    }
    if (size == 0) {
        fuzzCheck(parsed.text.empty(), "an empty file gave a text");
        return 0;
    }
    // The counted bytes are well-formed GBK, so the text goes back to them.
    int declared = 0;
    for (int k = 0; k < kStoredTextHeaderBytes; ++k)
        declared = declared * 10 + data[k];
    fuzzCheck(utf8ToAnsi(parsed.text) == std::string(bytes + kStoredTextHeaderBytes, static_cast<size_t>(declared)),
              "the accepted text does not give back the stored bytes");
    return 0;
}
