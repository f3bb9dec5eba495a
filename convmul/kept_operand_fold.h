// The spectrum of an operand kept for the products to come, in the form the
// fold with it reads fastest, and that fold.
#pragma once

#include <stdint.h>

#include "convmul/product_fold.h"

// Doubles the kept form of an operand takes at transform length `size`.
int32_t keptSpectrumDoubles(int32_t size);

// `spectrum`: the size-point spectrum of a + i b. Writes the kept form of a
// (`operand` 0) or of b (`operand` 1) to `kept`.
void keepOperandSpectrum(const double* spectrum, int32_t size, const TurnTable& turn, int operand, double* kept);

// As foldHalfSpectra, with b given in its kept form.
void foldKeptSpectrum(double* wa, const double* kept, int32_t size);
