// sinh, cosh, tanh and coth from one exponential u = e^x and its reciprocal.
#pragma once

#include "bignum/bignum.h"

BigNum mySinh(const BigNum& x);
BigNum myCosh(const BigNum& x);
BigNum myTanh(const BigNum& x);
// coth 0 reports "coth函数输入错误，自变量x不能为零".
BigNum myCoth(const BigNum& x);
