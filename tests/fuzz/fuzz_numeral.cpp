// The numeral reader and the display: the first byte picks the working
// precision, the rest is the numeral text. The reader gives a value or shows
// a message; a value can always be displayed.
#include <string>

#include "bignum/bignum.h"
#include "tests/fuzz/fuzz_support.h"
#include "bignum/globals.h"

namespace {

constexpr size_t kMaxInputBytes = 4096;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > kMaxInputBytes)
        return 0;
    startCoreForFuzzing();
    errorFlag = 0;
    workPrecision = 9 + data[0] % 200;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    resetMessageCount();
    const BigNum x = myStrToNum(text);
    if (errorFlag != 0) {
        fuzzCheck(messageCount() >= 1, "a refused numeral showed no message");
        errorFlag = 0;
        return 0;
    }
    fuzzCheck(messageCount() == 0, "an accepted numeral showed a message");
    const std::string shown = myNumToStr(x);
    fuzzCheck(errorFlag == 0, "displaying a read numeral failed");
    fuzzCheck(!shown.empty(), "a read numeral displays as nothing");
    return 0;
}
