// Binding to libconvmul.so, the FFT product of long limb strings.
//
// The library is looked up beside the executable and loaded at the first
// product large enough to need it, not at start-up. When it cannot be loaded or
// lacks its export, products are formed by the schoolbook method instead (the
// digits are the same, only slower) and a notice goes to stderr once.
#pragma once

#include <string>

#include "../convmul/convmul.h"
#include "bignum.h"

// The library's multiply entry, bound on first use; nullptr when the library
// is missing or unusable (the notice is printed on the first failed attempt).
ConvmulMultiplyFn convmulEntry();

// True when large products go to the library.
bool fftLibraryAvailable();

// The FFT branch of myMul for operands already in scientific form with one
// digit per limb and cut to workPrecision + 4 digits (myMulFFT cuts first).
BigNum mulFFTOfCut(const BigNum& x, const BigNum& y);

// Test hooks.
// While set, the FFT branch computes its products by the schoolbook method, as
// it does when the library is missing.
void forceSchoolbookForTest(bool force);
// Drops the current binding: the next large product loads the library from
// `path` (empty: beside the executable) and reports a failure again.
void resetConvmulBindingForTest(const std::string& path = {});
