// An independent reading of the expression language in double precision: a
// recursive-descent parser written from the language's rules, not from the
// evaluator's token table. A value that differs from the evaluator's by more
// than rounding means one of the two misreads the text.
#pragma once

#include <string>

struct ReadValue {
    enum class Status {
        Value,
        NotAnExpression,
        Undefined, // division by zero, a square root of a negative number, ...
        Overflow,  // beyond the double range: no reading to compare with
    };
    Status status = Status::Value;
    double value = 0.0;
    // The largest magnitude met on the way: the tolerance of a comparison
    // scales with it, since a difference of large terms loses digits.
    double scale = 0.0;
};

// The reading of a typed expression (no memory letters).
ReadValue readExpression(const std::string& utf8);
