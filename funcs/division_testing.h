// Which method myDiv took, counted since start-up: a hook for the benchmark
// and the tests, which read it to show where the long-division / Newton
// switch falls; the program itself never reads it.
#pragma once

#include <cstdint>

struct DivisionPathCounts {
    uint64_t longDivision = 0;
    uint64_t reciprocal = 0;
    // Reciprocal-path quotients that sat on a cut boundary and were settled
    // by an exact product.
    uint64_t exactChecks = 0;
};

DivisionPathCounts& divisionPathCounts();
