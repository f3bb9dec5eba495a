// quorra-gentables OUTDIR
//
// Writes the three digit tables the calculator reads at start-up:
//
//   反正切表.txt   atan(1), atan(0.1), atan(0.01), atan(0.001), atan(0.0001),
//                  11000 digits each: the integer digit 0, then the fraction
//                  digits including their leading zeros
//   万位常数.wwcs  π, e, ln 10, 11000 digits each, starting with the integer digit
//   阶乘表.jcb     the exact products 1..100, 101..200, ..., 9901..10000, one
//                  after another, each with exactly as many digits as it has
//
// Every byte is a digit value 0..9, not a character. The digits are truncated,
// never rounded: the arithmetic cuts its results, so a rounded last table digit
// would be a wrong digit. Each constant is enclosed between a lower and an
// upper bound from MPFR's directed rounding, and the digits are taken only
// when both bounds give the same ones, so every digit written is exact.

#include <fcntl.h>
#include <gmp.h>
#include <mpfr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bignum/thresholds.h"

namespace {

using Digits = std::vector<unsigned char>;

// Computes the constant into `out` (whose precision is already set), rounded
// in direction `rnd`; the result must lie on that side of the true value.
using DirectedConstant = std::function<void(mpfr_t out, mpfr_rnd_t rnd)>;

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// floor(x * 10^(count - 1)) written as exactly `count` digit values, i.e. the
// integer digit of x followed by its first count - 1 fraction digits.
Digits truncatedDigits(const char* name, const DirectedConstant& compute, int32_t count)
{
    mpz_t scale, low, high;
    mpz_inits(scale, low, high, nullptr);
    mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(count - 1));

    // 3.33 bits a digit plus slack; doubled in the rare case that the bounds
    // straddle a digit boundary (a long run of 9s or 0s at the cut).
    mpfr_prec_t bits = static_cast<mpfr_prec_t>(count) * 3322 / 1000 + 128;
    std::string text;
    for (int attempt = 0; attempt < 8 && text.empty(); ++attempt, bits *= 2) {
        mpfr_t lower, upper;
        mpfr_inits2(bits, lower, upper, nullptr);
        compute(lower, MPFR_RNDD);
        compute(upper, MPFR_RNDU);
        mpfr_mul_z(lower, lower, scale, MPFR_RNDD);
        mpfr_mul_z(upper, upper, scale, MPFR_RNDU);
        mpfr_get_z(low, lower, MPFR_RNDD);
        mpfr_get_z(high, upper, MPFR_RNDD);
        if (mpz_cmp(low, high) == 0 && mpz_sgn(low) >= 0) {
            char* s = mpz_get_str(nullptr, 10, low);
            text = s;
            void (*freeString)(void*, size_t);
            mp_get_memory_functions(nullptr, nullptr, &freeString);
            freeString(s, std::strlen(s) + 1);
        }
        mpfr_clears(lower, upper, nullptr);
    }
    mpz_clears(scale, low, high, nullptr);

    if (text.empty())
        throw std::runtime_error(std::string("could not pin down the digits of ") + name);
    if (text.size() > static_cast<size_t>(count))
        throw std::runtime_error(std::string(name) + " has more than one integer digit");

    // Leading zeros stand for the integer digit 0 and the zeros that open the
    // fraction of a small value.
    Digits digits(static_cast<size_t>(count) - text.size(), 0);
    for (char c : text)
        digits.push_back(static_cast<unsigned char>(c - '0'));
    return digits;
}

// atan(10^-k), enclosed by evaluating at the argument rounded the same way
// (atan is increasing, and 10^-k is not a binary fraction for k > 0).
DirectedConstant atanOfPowerOfTen(unsigned long k)
{
    return [k](mpfr_t out, mpfr_rnd_t rnd) {
        mpfr_t arg;
        mpfr_init2(arg, mpfr_get_prec(out) + 64);
        mpfr_set_ui(arg, 1, MPFR_RNDN);
        for (unsigned long i = 0; i < k; ++i)
            mpfr_div_ui(arg, arg, 10, rnd);
        mpfr_atan(out, arg, rnd);
        mpfr_clear(arg);
    };
}

Digits arctangentTable()
{
    Digits table;
    for (unsigned long k = 0; k < static_cast<unsigned long>(kAtanBlocks); ++k) {
        const std::string name = "atan(10^-" + std::to_string(k) + ")";
        Digits block = truncatedDigits(name.c_str(), atanOfPowerOfTen(k), kTableDigits);
        table.insert(table.end(), block.begin(), block.end());
    }
    return table;
}

Digits constantsTable()
{
    const DirectedConstant pi = [](mpfr_t out, mpfr_rnd_t rnd) { mpfr_const_pi(out, rnd); };
    const DirectedConstant e = [](mpfr_t out, mpfr_rnd_t rnd) {
        mpfr_t one;
        mpfr_init2(one, 2);
        mpfr_set_ui(one, 1, MPFR_RNDN);
        mpfr_exp(out, one, rnd);
        mpfr_clear(one);
    };
    const DirectedConstant ln10 = [](mpfr_t out, mpfr_rnd_t rnd) { mpfr_log_ui(out, 10, rnd); };

    Digits table;
    for (const auto& [name, compute] : {std::pair{"pi", pi}, std::pair{"e", e}, std::pair{"ln 10", ln10}}) {
        Digits block = truncatedDigits(name, compute, kTableDigits);
        table.insert(table.end(), block.begin(), block.end());
    }
    return table;
}

Digits factorialTable()
{
    constexpr unsigned long kBlocks = 100, kBlockSize = 100;
    // Block lengths the factorial routine relies on; a mismatch means the
    // table would be read at the wrong offsets.
    const std::vector<std::pair<unsigned long, size_t>> knownLengths = {
        {1, 158}, {2, 217}, {3, 240}, {4, 255}, {10, 298}, {50, 370}, {100, 400}};

    Digits table;
    std::vector<size_t> lengths(kBlocks + 1, 0);
    mpz_t block, all;
    mpz_init(block);
    mpz_init_set_ui(all, 1);
    for (unsigned long i = 1; i <= kBlocks; ++i) {
        mpz_set_ui(block, 1);
        for (unsigned long v = kBlockSize * (i - 1) + 1; v <= kBlockSize * i; ++v)
            mpz_mul_ui(block, block, v);
        mpz_mul(all, all, block);
        std::vector<char> text(mpz_sizeinbase(block, 10) + 2);
        mpz_get_str(text.data(), 10, block);
        lengths[i] = std::strlen(text.data());
        for (size_t j = 0; j < lengths[i]; ++j)
            table.push_back(static_cast<unsigned char>(text[j] - '0'));
    }

    // The blocks must multiply to 10000!, or a block was built wrongly.
    mpz_t expected;
    mpz_init(expected);
    mpz_fac_ui(expected, kBlocks * kBlockSize);
    const bool productOk = mpz_cmp(all, expected) == 0;
    mpz_clears(block, all, expected, nullptr);
    if (!productOk)
        throw std::runtime_error("the factorial blocks do not multiply to 10000!");

    for (const auto& [i, length] : knownLengths)
        if (lengths[i] != length)
            throw std::runtime_error("factorial block " + std::to_string(i) + " has " +
                                     std::to_string(lengths[i]) + " digits, expected " +
                                     std::to_string(length));
    if (table.size() != static_cast<size_t>(kFactTableDigits))
        throw std::runtime_error("the factorial blocks have " + std::to_string(table.size()) +
                                 " digits in all, expected " + std::to_string(kFactTableDigits));
    return table;
}

// Writes to a temporary file in the same directory and renames it over the
// target, so that an interrupted build never leaves a short table behind that
// a later build would take as up to date.
void writeAtomically(const std::filesystem::path& target, const Digits& digits, size_t expectedSize)
{
    if (digits.size() != expectedSize)
        throw std::runtime_error(target.string() + ": " + std::to_string(digits.size()) +
                                 " bytes, expected " + std::to_string(expectedSize));
    for (unsigned char d : digits)
        if (d > 9)
            throw std::runtime_error(target.string() + ": a byte is not a digit value");

    const std::string temp = target.string() + ".tmp." + std::to_string(getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error(systemError("cannot create " + temp));

    size_t done = 0;
    bool ok = true;
    std::string failure;
    while (ok && done < digits.size()) {
        const ssize_t n = ::write(fd, digits.data() + done, digits.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            failure = systemError("cannot write " + temp);
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        failure = systemError("cannot flush " + temp);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = systemError("cannot close " + temp);
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = systemError("cannot rename " + temp + " to " + target.string());
    }
    if (!ok) {
        std::remove(temp.c_str());
        throw std::runtime_error(failure);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argc > 0 ? argv[0] : "quorra-gentables");
        return 2;
    }
    try {
        const std::filesystem::path dir(argv[1]);
        std::filesystem::create_directories(dir);
        writeAtomically(dir / "反正切表.txt", arctangentTable(), static_cast<size_t>(kAtanTableDigits));
        writeAtomically(dir / "万位常数.wwcs", constantsTable(), 3 * static_cast<size_t>(kTableDigits));
        writeAtomically(dir / "阶乘表.jcb", factorialTable(), static_cast<size_t>(kFactTableDigits));
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "quorra-gentables: %s\n", ex.what());
        return 1;
    }
    return 0;
}
