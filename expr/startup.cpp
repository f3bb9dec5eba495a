#include "expr/startup.h"

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "bignum/exe_dir.h"
#include "bignum/globals.h"

namespace {

// Reads the file's bytes straight into the digit arrays, one destination
// after the other, without an intermediate buffer: start-up runs for every
// quorra-cli call, and each extra copy of 124 KB is fresh pages to fault in.
class DigitFile {
public:
    explicit DigitFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb"))
    {
        if (file_ != nullptr)
            std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    ~DigitFile()
    {
        if (file_ != nullptr)
            std::fclose(file_);
    }
    DigitFile(const DigitFile&) = delete;
    DigitFile& operator=(const DigitFile&) = delete;

    // Fills dest[0 .. count-1] with the next bytes and returns how many of
    // them are usable digits. A byte above 9 ends the usable data of the
    // whole file as a missing byte would: whatever follows it is not a digit
    // in its proper place. Entries without a usable digit are 0.
    size_t read(uint8_t* dest, size_t count)
    {
        size_t got = 0;
        if (file_ != nullptr && !ended_)
            got = std::fread(dest, 1, count, file_);
        const size_t valid = static_cast<size_t>(std::find_if(dest, dest + got, [](uint8_t b) { return b > 9; }) - dest);
        std::fill(dest + valid, dest + count, uint8_t{0});
        if (valid < count)
            ended_ = true;
        return valid;
    }

private:
    std::FILE* file_;
    bool ended_ = false;
};

void reportShortFile(DigitTableId id)
{
    showMessage(std::string("表文件“") + tableFileName(id) + "”缺失或不完整：依赖它的函数将无法计算",
                MessageStyle::Plain);
}

std::string tablePath(const std::string& dir, DigitTableId id) { return dir + "/" + tableFileName(id); }

void loadArctangents(const std::string& dir)
{
    DigitFile file(tablePath(dir, DigitTableId::Atan));
    atanDigits.fill(0);
    const size_t n = file.read(&atanDigit(1), kAtanTableDigits);
    setTableDigitsAvailable(DigitTableId::Atan, static_cast<int32_t>(n));
    if (n < static_cast<size_t>(kAtanTableDigits))
        reportShortFile(DigitTableId::Atan);
}

void loadConstants(const std::string& dir)
{
    DigitFile file(tablePath(dir, DigitTableId::Pi));
    const size_t pi = file.read(&piDigits[1], kTableDigits);
    const size_t e = file.read(&eDigits[1], kTableDigits);
    const size_t ln10 = file.read(&ln10Digits[1], kTableDigits);
    setTableDigitsAvailable(DigitTableId::Pi, static_cast<int32_t>(pi));
    setTableDigitsAvailable(DigitTableId::E, static_cast<int32_t>(e));
    setTableDigitsAvailable(DigitTableId::Ln10, static_cast<int32_t>(ln10));
    // One file holds all three constants: one message, not one per constant.
    if (ln10 < static_cast<size_t>(kTableDigits))
        reportShortFile(DigitTableId::Pi);
}

void loadFactorials(const std::string& dir)
{
    DigitFile file(tablePath(dir, DigitTableId::Fact));
    const size_t n = file.read(&factDigits[1], kFactTableDigits);
    setTableDigitsAvailable(DigitTableId::Fact, static_cast<int32_t>(n));
    if (n < static_cast<size_t>(kFactTableDigits))
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
