// Size switches and fixed sizes of the arithmetic, kept together so that a
// change of one is seen next to the others.
#pragma once

#include <cstdint>

// Guard digits every operation keeps beyond workPrecision (results are cut,
// never rounded, to workPrecision + kGuardDigits significant digits).
constexpr int32_t kGuardDigits = 4;

// Extra digits the evaluation run adds to the digits the user asks for; they
// are computed but never shown.
constexpr int32_t kHiddenDigits = 8;

// Largest number of result digits the precision box accepts.
constexpr int32_t kMaxShownDigits = 10000;

// Shown digits when the precision box is empty, zero or not a number.
constexpr int32_t kDefaultShownDigits = 32;

// Multiplication leaves the schoolbook method for the FFT when one operand has
// at least kFftMinDigits digits and the product of the digit counts exceeds
// kFftMinDigitProduct.
constexpr int32_t kFftMinDigits = 256;
constexpr int64_t kFftMinDigitProduct = 65536;

// Division takes the Newton reciprocal when (divisor digits as stored) x
// workPrecision reaches this value; below it, long division in base 10000.
constexpr int64_t kNewtonDivisionSwitch = 262144;

// Digits of the long-division seed of the Newton reciprocal.
constexpr int32_t kReciprocalSeedDigits = 1040;

// The Newton reciprocal never works above this precision.
constexpr int32_t kNewtonMaxPrecision = 16384;

// Digits of π, e and ln 10 in the constants file, and of each arctangent block.
constexpr int32_t kTableDigits = 11000;
constexpr int32_t kAtanBlocks = 5;
constexpr int32_t kAtanTableDigits = kTableDigits * kAtanBlocks;

// Digits of the factorial table (the exact products of the 100 blocks of 100
// consecutive integers 1..100, 101..200, ..., 9901..10000).
constexpr int32_t kFactTableDigits = 35710;

// The evaluator's token indices and priorities are 16-bit; longer or deeper
// expressions are refused with a message.
constexpr int32_t kMaxTokenIndex = 32767;

// Decimal exponents stay within ±kMaxExponent so that exponent plus digit
// counts never leave 32 bits; results beyond it are reported as overflow.
constexpr int64_t kMaxExponent = 2000000000;

// Plain notation writes the integer part out in full only up to this many
// digits; larger values are shown in scientific notation instead of a text
// of millions of zeros.
constexpr int32_t kMaxPlainIntegerDigits = 100000;
