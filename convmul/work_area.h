// The two work arrays every FFTW product of libconvmul.so runs in, shared by
// all transform lengths.
#pragma once

#include <stdint.h>

struct WorkArea {
    // Each of size complex values (2 * size doubles), 64-byte aligned; valid
    // until the next call of workAreaFor.
    double* first = nullptr;
    double* second = nullptr;
};

// The work arrays for transforms of `size` complex values, grown when a
// longer length comes; false when the memory cannot be had (the arrays held
// so far stay as they were).
bool workAreaFor(int32_t size, WorkArea& area);

// Returns the memory (when the library is unloaded).
void releaseWorkArea();
