// The last product's two operands, copied, and once one of them comes again,
// its half-length spectrum. Series and Newton steps multiply by the same
// number again and again (x^2 in a sine series): a product with a kept
// spectrum transforms only its other operand. Spectra are made only for an
// operand seen twice, as splitting them off a product costs about a third of
// what a hit saves.
#pragma once

#include <stddef.h>
#include <stdint.h>

// An operand as the entries receive it: `kind` tells digit strings from limb
// arrays, `bytes` bytes at `data`.
struct OperandBytes {
    int kind;
    const void* data;
    size_t bytes;
};

// The kept (size / 2)-point spectrum of an operand equal to `operand`, made
// for transform length `size`; nullptr when none is kept.
const double* keptSpectrum(const OperandBytes& operand, int32_t size);

// Whether `operand` was one of the last product's operands at transform
// length `size`.
bool seenBefore(const OperandBytes& operand, int32_t size);

// Copies the operands of a product of transform length `size` (no spectra).
void rememberOperands(const OperandBytes& a, const OperandBytes& b, int32_t size);

// Copies the operands of a product of transform length `size` and gives
// room (`doubles`) for the spectrum of `repeated`, to be filled by the
// caller at once; nullptr (and nothing kept) when the memory cannot be had.
double* keepSpectrum(const OperandBytes& repeated, const OperandBytes& other, int32_t size, int32_t doubles);

// Returns the memory (when the library is unloaded).
void releaseKeptSpectra();
