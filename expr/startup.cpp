#include "startup.h"

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "exe_dir.h"
#include "globals.h"

namespace {

// The leading digit values of the file, at most `count` of them, read in one
// go. A byte above 9 ends the usable data as a missing byte would: whatever
// follows it is not a digit in its proper place.
std::vector<uint8_t> readDigits(const std::string& path, size_t count)
{
    std::vector<uint8_t> bytes(count);
    size_t got = 0;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        got = std::fread(bytes.data(), 1, count, f);
        std::fclose(f);
    }
    bytes.resize(got);
    const auto end = std::find_if(bytes.begin(), bytes.end(), [](uint8_t b) { return b > 9; });
    bytes.erase(end, bytes.end());
    return bytes;
}

void reportShortFile(DigitTableId id)
{
    showMessage(std::string("表文件“") + tableFileName(id) + "”缺失或不完整：依赖它的函数将无法计算",
                MessageStyle::Plain);
}

// Copies digits[from, from + count) into dest[1 ..] as far as they reach and
// returns how many entries were filled.
template <size_t N>
int32_t fill(std::array<uint8_t, N>& dest, const std::vector<uint8_t>& digits, size_t from, size_t count)
{
    dest.fill(0);
    const size_t n = digits.size() > from ? std::min(count, digits.size() - from) : 0;
    std::copy_n(digits.begin() + static_cast<std::ptrdiff_t>(from), n, dest.begin() + 1);
    return static_cast<int32_t>(n);
}

void loadArctangents(const std::string& dir)
{
    const std::vector<uint8_t> digits =
        readDigits(dir + "/" + tableFileName(DigitTableId::Atan), kAtanTableDigits);
    atanDigits.fill(0);
    for (size_t k = 0; k < digits.size(); ++k)
        atanDigit(static_cast<int32_t>(k) + 1) = digits[k];
    setTableDigitsAvailable(DigitTableId::Atan, static_cast<int32_t>(digits.size()));
    if (digits.size() < static_cast<size_t>(kAtanTableDigits))
        reportShortFile(DigitTableId::Atan);
}

void loadConstants(const std::string& dir)
{
    constexpr size_t block = kTableDigits;
    const std::vector<uint8_t> digits = readDigits(dir + "/" + tableFileName(DigitTableId::Pi), 3 * block);
    setTableDigitsAvailable(DigitTableId::Pi, fill(piDigits, digits, 0, block));
    setTableDigitsAvailable(DigitTableId::E, fill(eDigits, digits, block, block));
    setTableDigitsAvailable(DigitTableId::Ln10, fill(ln10Digits, digits, 2 * block, block));
    // One file holds all three constants: one message, not one per constant.
    if (digits.size() < 3 * block)
        reportShortFile(DigitTableId::Pi);
}

void loadFactorials(const std::string& dir)
{
    const std::vector<uint8_t> digits =
        readDigits(dir + "/" + tableFileName(DigitTableId::Fact), kFactTableDigits);
    setTableDigitsAvailable(DigitTableId::Fact, fill(factDigits, digits, 0, kFactTableDigits));
    if (digits.size() < static_cast<size_t>(kFactTableDigits))
        reportShortFile(DigitTableId::Fact);
}

} // namespace

void startUp()
{
    // Every operation allocates and frees arrays of up to tens of kilobytes;
    // by default glibc hands that memory back to the system at each free and
    // faults it in again at the next allocation, which costs more than a
    // 10,000-digit product itself.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    startUpFrom(executableDirectory());
}

void startUpFrom(const std::string& dir)
{
    initCoreState();
    loadArctangents(dir);
    loadConstants(dir);
    loadFactorials(dir);
}
