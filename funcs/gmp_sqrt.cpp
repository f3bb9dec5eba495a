#include "funcs/gmp_sqrt.h"

#include <gmp.h>

namespace {

// One integer kept for the process: its limbs are reused from root to root,
// so a run of square roots at one precision allocates once. Everything runs
// on one thread.
struct ScratchInteger {
    mpz_t value;
    ScratchInteger() { mpz_init(value); }
    ~ScratchInteger() { mpz_clear(value); }
};

} // namespace

bool gmpz_sqrt(char* digits)
{
    static ScratchInteger scratch;
    if (mpz_set_str(scratch.value, digits, 10) != 0 || mpz_sgn(scratch.value) < 0)
        return false;
    mpz_sqrt(scratch.value, scratch.value);
    // The root has at most half the digits (rounded up) of the radicand, so
    // its text and terminator fit where the radicand's text was.
    mpz_get_str(digits, 10, scratch.value);
    return true;
}
