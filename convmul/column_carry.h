// The last pass of an FFTW product: the columns the backward transform gives
// back rounded, checked and carried into base-10000 limbs.
#pragma once

#include <stdint.h>

// Rounds the `columns` columns column[0], column[1], ... to the nearest
// non-negative integers, carries them into product[0 .. columns] (base 10000,
// least significant first; product[columns] takes the last carry) and
// returns the largest distance of a column from the integer it was rounded
// to. Columns are non-negative sums below 2^47.
double carryColumns(const double* column, int32_t columns, uint32_t* product);
