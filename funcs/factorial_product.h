// The two halves of every factorial: a direct product of small integers in a
// base-10000 accumulator, and a balanced product tree that joins the pieces
// so that the large multiplications meet operands of about equal size.
#pragma once

#include <cstdint>
#include <vector>

#include "bignum/bignum.h"

// Pieces are numbered from 1 (entry 0 is unused). Joins pieces 1..m, with
// piece m + 1 equal to one behind them, into piece 1: each pass multiplies
// the first half element by element with the second half. pieces must hold
// at least m + 2 entries.
void joinByProductTree(std::vector<BigNum>& pieces, int32_t m);

// Arguments n stay at or below kPackedFactorBound (the factorials cap theirs
// far lower), which keeps the accumulator's products inside 32 bits.
//
// start * (start + step) * ... up to n, multiplied out in the accumulator
// with packed multipliers and flushed into a piece (cut to workPrecision + 2
// digits) every kFactorialFlushLimbs limbs; the last piece is left exact.
// Returns the pieces numbered from 1, followed by a spare piece one.
std::vector<BigNum> directProductPieces(int64_t start, int64_t n, int64_t step);

// start * (start + 1) * ... * n, joined by the product tree and cut to
// workPrecision + 4 digits.
BigNum directProduct(int64_t start, int64_t n, int64_t step);

// n! exactly, as a base-10000 integer with one zero fraction limb; factors
// packed up to kExactPackedFactorBound.
BigNum exactFactorial(int64_t n);
