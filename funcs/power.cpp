// x^y: the trivial cases, then integer exponents by binary exponentiation and
// all others through myFracPower.
#include "funcs/power.h"

#include <array>

#include "funcs/division.h"
#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "funcs/product_exponent.h"
#include "funcs/whole_number.h"

namespace {

// Largest number of steps binary exponentiation records for a seven-digit
// exponent is 46; the list has room to spare.
constexpr size_t kMaxPowerSteps = 51;

enum class PowerStep : uint8_t { Multiply = 1, Square = 2 };

bool isPlusOne(const BigNum& x) { return x.isPositive() && myCompareAbs(x, bigOne) == 0; }

} // namespace

BigNum myPower(const BigNum& x, const BigNum& y)
{
    if (errorFlag == -1)
        return BigNum{};
    const bool xZero = myCompareAbs(x, bigZero) == 0;
    const bool yZero = myCompareAbs(y, bigZero) == 0;
    if (xZero && !yZero) {
        // 0^y for y < 0 is 1 / 0^|y|: a division by zero, not zero.
        if (!y.isPositive())
            return reportError("除法子程序中除数为零", MessageStyle::Warning);
        return bigZero;
    }
    if (yZero)
        return bigOne;
    if (isPlusOne(y))
        return x;
    if (isPlusOne(x))
        return bigOne;
    if (errorFlag == -1)
        return BigNum{};

    const BigNum r = hasFractionalPart(y) ? myFracPower(x, y) : myIntPower(x, y);
    return cutToWorkPrecision(r);
}

BigNum myIntPower(const BigNum& x, const BigNum& n)
{
    if (errorFlag == -1)
        return BigNum{};
    const BigNum base = x.digitsPerLimb == 1 ? qslqwl(x) : qslqwl(myRegroup(x, 1));
    // The size check reads the digits, so that an exponent such as 1e2000000000
    // is refused without writing out its zeros.
    const int64_t k0 = integerMagnitudeCapped(n, int64_t{kMaxIntPowerExponent} + 1);
    if (errorFlag == -1)
        return BigNum{};
    if (k0 > kMaxIntPowerExponent)
        return reportError("抱歉，目前只支持9999999以内的乘方", MessageStyle::Plain);

    BigNum r;
    if (k0 == 0) {
        r = bigOne;
    } else {
        r = base;
        // Record the way down to 1 (odd: subtract one, even: halve), then
        // replay it backwards from the base.
        std::array<PowerStep, kMaxPowerSteps> steps{};
        size_t count = 0;
        for (int64_t k = k0; k != 1; ++count) {
            if (k % 2 == 1) {
                --k;
                steps[count] = PowerStep::Multiply;
            } else {
                k /= 2;
                steps[count] = PowerStep::Square;
            }
        }
        while (count > 0) {
            --count;
            const BigNum& factor = steps[count] == PowerStep::Square ? r : base;
            if (!productExponentFits(r, factor))
                return BigNum{};
            r = myMul(r, factor);
            if (errorFlag == -1)
                return BigNum{};
        }
    }
    if (!n.isPositive())
        r = myDiv(bigOne, r);
    return cutToWorkPrecision(r);
}
