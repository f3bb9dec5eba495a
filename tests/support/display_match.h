// Comparing a result as the display shows it with a reference rounded to the
// same number of digits, allowing one unit in the last shown digit (a cut
// result that sits just below a rounding boundary may round one unit lower).
#pragma once

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>
#include <string>

// Working precision the evaluation run sets for a precision box holding
// `digits` (a whole number): digits + 1 (32 for 0), at most 10,000, plus 8.
int32_t workPrecisionForBox(int32_t digits);

// Display text of the reference value rounded half up to `shown` digits, in
// scientific notation; "0.0" for a value the display shows as zero (below
// 5 x 10^-shown).
std::string referenceDisplay(mpfr_srcptr reference, int32_t shown);

// Success when the display texts `got` and `want` (scientific notation, as
// myNumToStr writes them) differ by at most one unit of the last of `shown`
// digits of `want`.
::testing::AssertionResult displaysWithinOneUnit(const std::string& got, const std::string& want, int32_t shown);

// Lets MPFR hold the whole decimal exponent range of the arithmetic
// (about ±2e9 decimal), beyond its default binary exponent limits.
void widenMpfrExponentRange();
