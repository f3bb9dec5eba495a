#include "expr/function_table.h"

#include "funcs/angle_conversion.h"
#include "funcs/constants.h"
#include "funcs/exponential.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/hyperbolic.h"
#include "funcs/int_division.h"
#include "funcs/integer_part.h"
#include "funcs/inverse_hyperbolic.h"
#include "funcs/inverse_trig.h"
#include "funcs/logarithm.h"
#include "funcs/nth_root.h"
#include "funcs/sine_cosine.h"
#include "funcs/tangent.h"

namespace {

// One line per function, in the order the names are compared; nullptr until
// its routine exists.
const FunctionEntry kFunctionTable[] = {
    {"int", 1, [](const BigNum& x, const BigNum&) { return myInt(x); }},
    {"radian", 1, [](const BigNum& x, const BigNum&) { return myRadian(x); }},
    {"angle", 1, [](const BigNum& x, const BigNum&) { return myAngle(x); }},
    {"frac", 1, [](const BigNum& x, const BigNum&) { return myFrac(x); }},
    {"cuberoot", 1, [](const BigNum& x, const BigNum&) { return myCubeRoot(x); }},
    {"exp", 1, [](const BigNum& x, const BigNum&) { return myExp(x); }},
    {"sin", 1, [](const BigNum& x, const BigNum&) { return mysin(x); }},
    {"doujc", 1, [](const BigNum& x, const BigNum&) { return myDoubleFact(x); }},
    {"asin", 1, [](const BigNum& x, const BigNum&) { return myAsin(x); }},
    {"acos", 1, [](const BigNum& x, const BigNum&) { return myAcos(x); }},
    {"atan", 1, [](const BigNum& x, const BigNum&) { return myAtan(x); }},
    {"acot", 1, [](const BigNum& x, const BigNum&) { return myAcot(x); }},
    {"sinh", 1, [](const BigNum& x, const BigNum&) { return mySinh(x); }},
    {"cosh", 1, [](const BigNum& x, const BigNum&) { return myCosh(x); }},
    {"tanh", 1, [](const BigNum& x, const BigNum&) { return myTanh(x); }},
    {"coth", 1, [](const BigNum& x, const BigNum&) { return myCoth(x); }},
    {"arsinh", 1, [](const BigNum& x, const BigNum&) { return myArsinh(x); }},
    {"arcosh", 1, [](const BigNum& x, const BigNum&) { return myArcosh(x); }},
    {"artanh", 1, [](const BigNum& x, const BigNum&) { return myArtanh(x); }},
    {"arcoth", 1, [](const BigNum& x, const BigNum&) { return myArcoth(x); }},
    {"cos", 1, [](const BigNum& x, const BigNum&) { return myCos(x); }},
    {"tan", 1, [](const BigNum& x, const BigNum&) { return myTan(x); }},
    {"cot", 1, [](const BigNum& x, const BigNum&) { return myCot(x); }},
    {"log", 1, [](const BigNum& x, const BigNum&) { return myLog(x); }},
    {"ln", 1, [](const BigNum& x, const BigNum&) { return myLn(x); }},
    {"yroot", 2, [](const BigNum& y, const BigNum& x) { return myYroot(y, x); }},
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
