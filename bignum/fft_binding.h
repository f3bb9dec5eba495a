// Binding to libconvmul.so, the FFT product of long limb strings.
//
// The library is looked up beside the executable and loaded at the first
// product large enough to need it, not at start-up. When it cannot be loaded or
// lacks its export, products are formed by the schoolbook method instead (the
// digits are the same, only slower) and a notice goes to stderr once. Its
// faster base-10000 entry is used when the library has it, the base-1000 one
// otherwise.
#pragma once

#include <cstdint>
#include <vector>

#include "convmul/convmul.h"
#include "bignum/bignum.h"

// The library's multiply entry, bound on first use; nullptr when the library
// is missing or unusable (the notice is printed on the first failed attempt).
ConvmulMultiplyFn convmulEntry();

// True when large products go to the library.
bool fftLibraryAvailable();

// The library's base-10000 entries (limbs, digit strings), nullptr when it
// lacks them.
ConvmulMultiply10kFn convmulFastEntry();
ConvmulMultiplyDigitsFn convmulDigitsEntry();

struct ProductLimbs;

// a * b (digit strings, most significant first) into `out` by the library.
// False, with `out` unspecified, when the library cannot be used, refuses the
// lengths, or its measured rounding error leaves a digit in doubt: the caller
// then forms the product by an exact method.
bool limbProductTransform(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, ProductLimbs& out);
