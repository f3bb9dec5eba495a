#include "expr/operator_table.h"

#include <string>

#include "funcs/angle_conversion.h"
#include "funcs/constants.h"
#include "funcs/division.h"
#include "funcs/factorial.h"
#include "bignum/globals.h"
#include "funcs/int_division.h"
#include "funcs/power.h"
#include "funcs/set_exponent.h"
#include "funcs/square_root.h"

namespace {

// One line per operator; nullptr until its routine exists.
const OperatorEntry kOperatorTable[] = {
    {TokenKind::Pi, "π", [](const BigNum&, const BigNum&) { return myPi(); }},
    {TokenKind::Multiply, "*", myMul},
    {TokenKind::Divide, "/", myDiv},
    {TokenKind::Power, "^", myPower},
    {TokenKind::Factorial, "!", [](const BigNum& l, const BigNum&) { return myFact(l); }},
    {TokenKind::Root, "√", [](const BigNum& l, const BigNum&) { return mySqrt(l); }},
    {TokenKind::Exponent, "e", mySetExponent},
    {TokenKind::IntDivide, "\\", [](const BigNum& l, const BigNum& r) { return myMOD(l, r).quotient; }},
    {TokenKind::Natural, "natural", [](const BigNum&, const BigNum&) { return myE(); }},
    {TokenKind::Degree, "°", [](const BigNum& l, const BigNum&) { return myRadian(l); }},
    {TokenKind::ArcMinute, "′", [](const BigNum& l, const BigNum&) { return myArcMinute(l); }},
    {TokenKind::ArcSecond, "″", [](const BigNum& l, const BigNum&) { return myArcSecond(l); }},
};

} // namespace

const OperatorEntry* findOperator(TokenKind kind)
{
    for (const OperatorEntry& entry : kOperatorTable)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

BigNum applyOperator(TokenKind kind, const BigNum& left, const BigNum& right)
{
    if (errorFlag == -1)
        return BigNum{};
    const OperatorEntry* entry = findOperator(kind);
    if (entry == nullptr)
        return reportError("该运算符无法计算", MessageStyle::Warning);
    if (entry->routine == nullptr)
        return reportError(std::string("“") + entry->text + "”运算尚未实现", MessageStyle::Warning);
    return entry->routine(left, right);
}
