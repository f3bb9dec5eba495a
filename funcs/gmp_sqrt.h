// The integer square root that mySqrt relies on, behind a text interface:
// the caller owns a buffer with a zero-terminated decimal digit text and gets
// the digits of the root back in the same place.
#pragma once

// Replaces the zero-terminated decimal text at `digits` by the decimal digits
// of its integer square root (rounded down), leading digit first, no leading
// zeros, zero-terminated. Bytes behind the new terminator keep what was there;
// the root never needs more room than the text it replaces. Returns false and
// leaves the buffer alone when the text is not a decimal integer.
bool gmpz_sqrt(char* digits);
