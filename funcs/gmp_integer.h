// An mpz_t that frees itself, and the decimal digits of one: the exact binary
// integers of the reciprocal seed and the chains of square roots.
#pragma once

#include <gmp.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct GmpInteger {
    mpz_t v;
    GmpInteger() { mpz_init(v); }
    ~GmpInteger() { mpz_clear(v); }
    GmpInteger(const GmpInteger&) = delete;
    GmpInteger& operator=(const GmpInteger&) = delete;
};

// v = the integer with the decimal digits digits[0 .. count) (values 0..9,
// most significant first; count >= 1).
void gmpFromDigits(mpz_t v, const int32_t* digits, int64_t count);

// The decimal digits of v >= 0 (values 0..9, most significant first, the
// first nonzero unless v is 0).
std::vector<int32_t> digitsOfGmp(const mpz_t v);

// base^k, made once and kept for the next calls with the same k: a chain of
// roots or a run of divisions meets a few k again and again. The last four
// are kept, so a long session does not pile them up.
class PowerCache {
public:
    explicit PowerCache(unsigned long base) : base_(base) {}
    const mpz_t& power(int64_t k);

private:
    struct Slot {
        int64_t k = -1;
        GmpInteger value;
    };
    unsigned long base_;
    std::array<Slot, 4> slots_;
    size_t next_ = 0;
};
