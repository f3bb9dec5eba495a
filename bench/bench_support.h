// What the benchmark programs share: the core put into its start-up state
// once, the working precision for a precision-box value, and the MPFR
// precision that holds the digits a routine keeps.
#pragma once

#include <mpfr.h>

#include <cstdint>

#include "bignum/globals.h"
#include "expr/evaluation_run.h"
#include "expr/startup.h"

// Working precision for a precision box holding `digits` (0: the default).
inline int32_t precisionForBox(int32_t digits)
{
    return precisionForDigits(digits);
}

inline void prepareCore(int32_t precision)
{
    static bool started = false;
    if (!started) {
        startUp();
        started = true;
    }
    errorFlag = 0;
    subFunctionTest = kFalse;
    workPrecision = precision;
}

// MPFR precision holding workPrecision + 4 digits.
inline mpfr_prec_t bitsFor(int32_t precision)
{
    return static_cast<mpfr_prec_t>((precision + kGuardDigits) * 3.3219280948873623) + 1;
}
