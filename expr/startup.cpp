#include "expr/startup.h"

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "bignum/exe_dir.h"
#include "bignum/globals.h"

namespace {

// Leading bytes of p[0 .. n) that are digit values 0..9. Blocks of 64 bytes
// are tested whole, in a loop the compiler vectorises (start-up checks 124 KB
// on every call of quorra-cli); only a block that holds another byte is
// searched.
size_t usableDigits(const uint8_t* p, size_t n)
{
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        uint8_t other = 0;
        for (size_t k = 0; k < 64; ++k)
            other |= static_cast<uint8_t>(p[i + k] > 9);
        if (other != 0)
            break;
    }
    return i + static_cast<size_t>(std::find_if(p + i, p + n, [](uint8_t b) { return b > 9; }) - (p + i));
}

// A table file, read straight into the digit arrays (one destination after
// the other, no intermediate copy) or only checked through a small buffer:
// start-up runs for every quorra-cli call, and each page of the 124 KB of
// tables written is a fresh page to fault in.
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
        const size_t valid = usableDigits(dest, got);
        std::fill(dest + valid, dest + count, uint8_t{0});
        if (valid < count)
            ended_ = true;
        return valid;
    }

    // How many of the next `count` bytes are usable digits, under the rule of
    // read(), looked at through a small buffer: start-up checks every file but
    // leaves the digits where they are until a function needs them.
    size_t check(size_t count)
    {
        static uint8_t buffer[8192];
        size_t valid = 0;
        while (valid < count && file_ != nullptr && !ended_) {
            const size_t want = std::min(count - valid, sizeof buffer);
            const size_t got = std::fread(buffer, 1, want, file_);
            const size_t ok = usableDigits(buffer, got);
            valid += ok;
            if (ok < want)
                ended_ = true;
        }
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

// Where the table files are, for the reads on first use.
std::string& tableDirectory()
{
    static std::string dir;
    return dir;
}

void readArctangents()
{
    DigitFile file(tablePath(tableDirectory(), DigitTableId::Atan));
    atanDigits.fill(0);
    const size_t n = file.read(&atanDigit(1), kAtanTableDigits);
    setTableDigitsAvailable(DigitTableId::Atan, static_cast<int32_t>(n));
}

void readConstants()
{
    DigitFile file(tablePath(tableDirectory(), DigitTableId::Pi));
    const size_t pi = file.read(&piDigits[1], kTableDigits);
    const size_t e = file.read(&eDigits[1], kTableDigits);
    const size_t ln10 = file.read(&ln10Digits[1], kTableDigits);
    setTableDigitsAvailable(DigitTableId::Pi, static_cast<int32_t>(pi));
    setTableDigitsAvailable(DigitTableId::E, static_cast<int32_t>(e));
    setTableDigitsAvailable(DigitTableId::Ln10, static_cast<int32_t>(ln10));
}

void readFactorials()
{
    DigitFile file(tablePath(tableDirectory(), DigitTableId::Fact));
    const size_t n = file.read(&factDigits[1], kFactTableDigits);
    setTableDigitsAvailable(DigitTableId::Fact, static_cast<int32_t>(n));
}

void readTable(DigitTableId id)
{
    switch (id) {
    case DigitTableId::Atan: readArctangents(); break;
    case DigitTableId::Fact: readFactorials(); break;
    default: readConstants(); break;
    }
}

// The start-up check: a file that is missing or short is reported now, as
// the functions that depend on it will refuse. One file holds π, e and ln 10:
// one message, not one per constant.
void checkTableFiles(const std::string& dir)
{
    if (DigitFile(tablePath(dir, DigitTableId::Atan)).check(kAtanTableDigits) < static_cast<size_t>(kAtanTableDigits))
        reportShortFile(DigitTableId::Atan);
    if (DigitFile(tablePath(dir, DigitTableId::Pi)).check(3 * static_cast<size_t>(kTableDigits)) <
        3 * static_cast<size_t>(kTableDigits))
        reportShortFile(DigitTableId::Pi);
    if (DigitFile(tablePath(dir, DigitTableId::Fact)).check(kFactTableDigits) < static_cast<size_t>(kFactTableDigits))
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
    tableDirectory() = dir;
    checkTableFiles(dir);
    // The digits (124 KB) are read when a function first needs a table: a run
    // that uses none of them never touches their pages.
    setTableReader(&readTable);
}
