// Size switches and fixed sizes of the arithmetic, kept together so that a
// change of one is seen next to the others.
#pragma once

#include <cstdint>

// Guard digits every operation keeps beyond workPrecision (results are cut,
// never rounded, to workPrecision + kGuardDigits significant digits).
constexpr int32_t kGuardDigits = 4;

// Limbs of four decimal digits: the long division's working limbs, the
// factorial's product accumulator and the 8-to-4 regrouping.
constexpr int32_t kLimbBase = 10000;

// Extra digits the evaluation run adds to the digits the user asks for; they
// are computed but never shown.
constexpr int32_t kHiddenDigits = 8;

// Largest number of result digits the precision box accepts.
constexpr int32_t kMaxShownDigits = 10000;

// Shown digits when the precision box is empty, zero or not a number.
constexpr int32_t kDefaultShownDigits = 32;

// Exact products in base 10^8 take Karatsuba's method when the shorter
// operand has at least this many limbs, down to halves below it, which take
// the schoolbook method. The schoolbook's loop is vectorised (four lanes with
// AVX2), so three half products and their linear passes only pay from about
// this length on: timed, 8,192-digit operands (1,024 limbs) take 67 us with
// this switch against 98 with a switch at 256 limbs, 10,000 x 2,048 digits
// 30 us against 49; the instruction counts of whole runs agree.
constexpr int32_t kKaratsubaMinLimbs = 768;

// Exact products whose shorter operand has fewer limbs than this form only
// the columns of the digits kept (see limbProductKept) by the schoolbook
// method, instead of the whole product by the schoolbook or Karatsuba's
// method. Timed with as many digits kept as each operand has (about half the
// cells), the kept columns are the quicker up to the longest operands the
// precision box allows: 512 x 512 limbs 12 us against Karatsuba's 24,
// 1,300 x 1,300 74 us against about 100.
constexpr int32_t kShortProductMaxLimbs = 1400;

// Multiplication leaves the exact methods (schoolbook and Karatsuba in base
// 10^8) for the transform of libconvmul.so when the shorter operand has at
// least kFftMinShorterDigits digits and the product of the digit counts
// reaches kFftMinDigitProduct. The transform is sized by the sum of the
// lengths, the exact methods by their product (to a power below 2), so a long
// number times a short one stays exact. Both give the same digits. Squares
// from 4,096 digits on are where the library's FFTW entry takes over (see
// kFastTransformMinColumns); below that its base-1000 transform costs more
// than the exact methods (whole runs at 2,000 to 5,000 digits: 3,000 digits
// took 1,157M instructions through the transform against 679M).
constexpr int32_t kFftMinShorterDigits = 192;
constexpr int64_t kFftMinDigitProduct = 4096 * 4096;
// Products of at least this many base-10000 columns take the library's FFTW
// entry; shorter ones its own base-1000 transform. Loading FFTW costs about a
// millisecond and a half (more on a busy machine, where its code pages are
// faulted in slowly), so a run loads it only once its long products have
// added up to kFastTransformAfterColumns columns through the base-1000
// transform, about twelve 10,000-digit products: the runs that form many
// (sin, exp, ln, atan, 2^0.5 from 4,500 digits on: 80 to 1,400) switch early,
// cuberoot (12 products, 47,000 columns at 10,000 digits) never loads it.
constexpr int32_t kFastTransformMinColumns = 2048;
constexpr int64_t kFastTransformAfterColumns = 60000;
// Until then, products of at most this many base-10000 columns (operands of
// about 10,800 digits each) take the exact methods instead of the base-1000
// transform: Karatsuba's method is as quick there (10,000 x 10,000 digits: about
// 140 us against 139) and touches no fresh memory.
constexpr int32_t kExactWarmUpMaxColumns = 5400;
// Once the run has loaded FFTW, every product the transform takes goes to it:
// the smallest (about 600 x 600 digits) is a few times cheaper there too.
constexpr int32_t kFastTransformLoadedMinColumns = 256;
// Largest distance of a transform column from the nearest integer that is
// still trusted; beyond it the product is formed again by an exact method.
constexpr double kFftMaxRoundingError = 0.25;

// Division takes the Newton reciprocal when (divisor digits as stored) x
// workPrecision reaches this value; below it, long division in base 10000.
constexpr int64_t kNewtonDivisionSwitch = 262144;

// Integer quotient and remainder compute the quotient with all its integer
// digits, raising the precision for them (mod(1e50, 7) at 20 digits divides
// to 58). A quotient with more integer digits than this is refused with a
// message; up to it the division takes a fraction of a second.
constexpr int32_t kMaxExactQuotientDigits = 200000;

// Digits of the long-division seed of the Newton reciprocal.
constexpr int32_t kReciprocalSeedDigits = 1040;

// The Newton reciprocal never works above this precision.
constexpr int32_t kNewtonMaxPrecision = 16384;
// An x0 of at least kNewtonPlannedSeedDigits digits (the long-division seed)
// has the precisions of the Newton steps planned back from the last one; a
// step is given at least kNewtonStepMargin digits more than half of its
// precision, as the truncations of a step cost its last few digits.
constexpr int32_t kNewtonPlannedSeedDigits = 128;
constexpr int32_t kNewtonStepMargin = 16;

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

// Direct factorial products multiply a base-10000 accumulator by several small
// factors at once: consecutive factors are packed into one multiplier while
// it stays at or below kPackedFactorBound (kExactPackedFactorBound for the
// exact factorial), for factors below kPackFactorsBelow. At
// kFactorialFlushLimbs limbs the accumulator becomes a piece of the product
// tree and starts again at one.
constexpr int64_t kPackedFactorBound = 100000;
constexpr int64_t kExactPackedFactorBound = 65533;
constexpr int64_t kPackFactorsBelow = 315;
constexpr int32_t kFactorialFlushLimbs = 256;

// Largest n for n! and n!! (the table covers 1..10000, the rest is multiplied out).
constexpr int32_t kMaxFactorialArgument = 40000;

// Integer powers take exponents of at most seven digits.
constexpr int32_t kMaxIntPowerExponent = 9999999;

// Non-integer powers: guard digits of the root-series-raise scheme and of the
// binomial series, the number of square roots taken (undone by
// kFracPowerRaisings raisings to 2^kFracPowerRaiseBits), and the digits each
// series term is at least worth.
constexpr int32_t kFracPowerGuardDigits = 128;
constexpr int32_t kBinomialGuardDigits = 128;
constexpr int32_t kFracPowerSquareRoots = 160;
constexpr int32_t kFracPowerRaisings = 10;
constexpr int32_t kFracPowerRaiseBits = 16;
constexpr int32_t kBinomialDigitsPerTerm = 42;

// The reciprocal path of division works this many digits beyond the digits it
// keeps: the Newton count can leave the last few digits of the reciprocal
// short, and the product with the dividend must still give the kept digits of
// the exact quotient cut toward zero.
constexpr int32_t kReciprocalGuardDigits = 32;
// When the reciprocal path's digits right after the kept ones are this many 9s
// (or 0s) in a row, the quotient may sit on a cut boundary and is settled by
// an exact product with the divisor.
constexpr int32_t kReciprocalCheckDigits = 8;

// Exponential: guard digits, halvings of the fractional part (undone by
// kExpRaisings raisings to 2^16), and the Taylor term counts: (P - guard) div
// kExpDigitsPerTermLow + 4 up to a raised precision of kExpTermSwitch, then
// (P - guard) div kExpDigitsPerTermHigh.
constexpr int32_t kExpGuardDigits = 128;
constexpr int32_t kExpHalvings = 80;
constexpr int32_t kExpRaisings = 5;
constexpr int32_t kExpTermSwitch = 5000;
constexpr int32_t kExpDigitsPerTermLow = 22;
constexpr int32_t kExpDigitsPerTermHigh = 24;

// Logarithms: guard digits of ln and of the ln 10 that log divides by.
constexpr int32_t kLnGuardDigits = 100;
constexpr int32_t kLogGuardDigits = 8;

// Inverse hyperbolic functions: guard digits of arsinh (the cancellation of
// x + sqrt(x^2 + 1) for negative x) and of arcoth.
constexpr int32_t kArsinhGuardDigits = 310;
constexpr int32_t kArcothGuardDigits = 128;

// Trigonometric functions, digits beyond the working precision: the
// arctangent (its series takes its length from the precision less these), the
// π of the arccosine and arccotangent, the sine's exact-point test, its
// general case and once more inside its series, the π that screens the
// tangent's argument and the π/2 its pole is compared with, and the π of the
// degree and radian conversions.
constexpr int32_t kAtanGuardDigits = 128;
constexpr int32_t kPiExtraDigits = 4;
constexpr int32_t kExactPointExtraDigits = 8;
constexpr int32_t kSineGuardDigits = 128;
constexpr int32_t kSeriesGuardDigits = 128;
constexpr int32_t kScreenExtraDigits = 8;
constexpr int32_t kPoleExtraDigits = 4;
constexpr int32_t kAngleExtraDigits = 8;

// Cube root: digits of the digit-by-digit seed that Newton's iteration
// starts from.
constexpr int32_t kRootSeedDigits = 20;
