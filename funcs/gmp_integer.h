// An mpz_t that frees itself: the exact binary integers of the reciprocal seed
// and the chains of square roots.
#pragma once

#include <gmp.h>

struct GmpInteger {
    mpz_t v;
    GmpInteger() { mpz_init(v); }
    ~GmpInteger() { mpz_clear(v); }
    GmpInteger(const GmpInteger&) = delete;
    GmpInteger& operator=(const GmpInteger&) = delete;
};
