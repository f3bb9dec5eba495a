// The function words of the expression language and the routines behind
// them. A word that is not in the table is left alone by the evaluator; a
// word in the table without a routine reports that it is not available yet.
#pragma once

#include <string>

#include "bignum/bignum.h"

// One-argument functions use only first; "mod" and "yroot" get the first and
// the second number to the right of the word, in that order.
using FunctionRoutine = BigNum (*)(const BigNum& first, const BigNum& second);

struct FunctionEntry {
    const char* name;
    int arguments; // 1, or 2 for "mod" and "yroot"
    FunctionRoutine routine;
};

// The entry named word (exact comparison), or nullptr.
const FunctionEntry* findFunction(const std::string& word);

// Applies the entry. Returns the empty record at once while errorFlag is set;
// an entry without a routine reports "“<name>”运算尚未实现".
BigNum applyFunction(const FunctionEntry& entry, const BigNum& first, const BigNum& second);
