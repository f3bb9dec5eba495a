// Checking the function routines against MPFR. A routine runs at the working
// precision of a precision box; its display, and its digits scaled into
// [1, 10) so that a value the display writes as 0.0 is checked too, must
// agree with MPFR's value (computed further) to one unit of the last shown
// digit.
#pragma once

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>
#include <functional>
#include <string>

#include "bignum/bignum.h"

// out = f(x) in MPFR, rounded to nearest.
using MpfrUnary = std::function<void(mpfr_ptr out, mpfr_srcptr x)>;

// Digits of the MPFR reference for an argument text at working precision p:
// enough that the binary rounding of a decimal argument, magnified by the
// function's condition (at most about the argument's length in digits),
// stays far below the last checked digit.
mpfr_prec_t referenceBits(int32_t p, const std::string& argument);

// Success when result (at workPrecision) shows what reference rounds to,
// both as displayed and scaled into [1, 10).
::testing::AssertionResult agreesWithMpfr(const BigNum& result, mpfr_srcptr reference);

// routine(x) at the working precision of `box`, against f(x) in MPFR; also
// checks that no message was shown and that the precision was given back.
void expectUnaryMatchesMpfr(BigNum (*routine)(const BigNum&), const MpfrUnary& f, const std::string& x,
                            int32_t box);

// head followed by n digits of the repeating 142857 and then tail:
// longDecimal("1.", 2100, "e-600") is 1.142857...e-600 with 2101 significant
// digits. Arguments that carry more digits than the precision keeps are the
// ones that show where a sum drops digits a short argument would keep.
std::string longDecimal(const std::string& head, size_t n, const std::string& tail = "");

// "0.999...9" with k nines: just below one, where the inverse functions and
// the series near their poles lose digits.
std::string nines(int k);
