// The last step of every routine here: the result in scientific form with
// one digit per limb, cut to workPrecision + 4 significant digits.
#pragma once

#include "bignum/bignum.h"

// x cut to workPrecision + 4 digits; x may have any limb size (the shared
// constants have wider limbs), and is regrouped only then.
BigNum cutToWorkPrecision(const BigNum& x);
