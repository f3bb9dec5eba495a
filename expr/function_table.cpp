#include "function_table.h"

#include "constants.h"
#include "factorial.h"
#include "globals.h"
#include "int_division.h"

namespace {

// One line per function, in the order the names are compared; nullptr until
// its routine exists.
const FunctionEntry kFunctionTable[] = {
    {"int", 1, [](const BigNum& x, const BigNum&) { return myInt(x); }},
    {"radian", 1, [](const BigNum& x, const BigNum&) { return myRadian(x); }},
    {"angle", 1, [](const BigNum& x, const BigNum&) { return myAngle(x); }},
    {"frac", 1, [](const BigNum& x, const BigNum&) { return myFrac(x); }},
    {"cuberoot", 1, nullptr},
    {"exp", 1, nullptr},
    {"sin", 1, nullptr},
    {"doujc", 1, [](const BigNum& x, const BigNum&) { return myDoubleFact(x); }},
    {"asin", 1, nullptr},
    {"acos", 1, nullptr},
    {"atan", 1, nullptr},
    {"acot", 1, nullptr},
    {"sinh", 1, nullptr},
    {"cosh", 1, nullptr},
    {"tanh", 1, nullptr},
    {"coth", 1, nullptr},
    {"arsinh", 1, nullptr},
    {"arcosh", 1, nullptr},
    {"artanh", 1, nullptr},
    {"arcoth", 1, nullptr},
    {"cos", 1, nullptr},
    {"tan", 1, nullptr},
    {"cot", 1, nullptr},
    {"log", 1, nullptr},
    {"ln", 1, nullptr},
    {"yroot", 2, nullptr},
    {"mod", 2, [](const BigNum& a, const BigNum& b) { return myMOD(a, b).remainder; }},
};

} // namespace

const FunctionEntry* findFunction(const std::string& word)
{
    for (const FunctionEntry& entry : kFunctionTable)
        if (word == entry.name)
            return &entry;
    return nullptr;
}

BigNum applyFunction(const FunctionEntry& entry, const BigNum& first, const BigNum& second)
{
    if (errorFlag == -1)
        return BigNum{};
    if (entry.routine == nullptr)
        return reportError(std::string("“") + entry.name + "”运算尚未实现", MessageStyle::Warning);
    return entry.routine(first, second);
}
