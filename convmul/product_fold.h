// The passes between the forward and the backward transform of an FFTW
// product: the spectrum of the operands turned into the folded spectrum of
// their product, whose half-length backward transform gives the product's
// columns two by two (c[2j] + i c[2j + 1]). Arrays are interleaved complex
// values (real, imaginary), 16-byte aligned.
#pragma once

#include <stdint.h>

// exp(2 pi i k / size) for 0 <= k <= size / 4, the only factors the folds
// use; cosines and sines apart, so that two neighbouring k load as one pair.
struct TurnTable {
    const double* cosines;
    const double* sines;
};

// `spectrum`: the size-point spectrum Z of a + i b (a, b real). Writes the
// folded spectrum of a * b, scaled for the backward transform, to
// half[0 .. size / 2).
void foldProduct(const double* spectrum, double* half, int32_t size, const TurnTable& turn);

// `wa`, `wb`: the (size / 2)-point spectra of w[j] = a[2j] + i a[2j + 1] and
// of the same for b, stored with real and imaginary parts exchanged (they
// come from a backward transform of the exchanged input). `wa` is replaced,
// in place, by the folded spectrum of a * b, scaled for the backward
// transform, stored normally. `wb` may be `wa`: a square.
void foldHalfSpectra(double* wa, const double* wb, int32_t size, const TurnTable& turn);
