// n! from the factorial table (the products of the blocks 1..100, 101..200,
// ..., 9901..10000) and a direct product of the integers above the last full
// block, joined by a product tree; double factorials and the exact small
// factorials of the series.
#include "funcs/factorial.h"

#include <array>
#include <vector>

#include "funcs/factorial_product.h"
#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "bignum/sign.h"
#include "funcs/sub_function_timer.h"
#include "funcs/whole_number.h"

namespace {

constexpr int32_t kTableBlocks = 100;
constexpr int32_t kBlockSize = 100;
constexpr int32_t kTableTop = kTableBlocks * kBlockSize;

// Digits of the product of block i (i = 1..100); entry 0 is 0. They add up to
// the length of the table.
constexpr std::array<int16_t, kTableBlocks + 1> kBlockDigits = {
    0,   158, 217, 240, 255, 266, 275, 282, 288, 293, 298, 303, 307, 310, 314, 317, 320,
    322, 325, 327, 330, 332, 334, 336, 338, 339, 341, 343, 344, 346, 347, 349, 350, 352,
    353, 354, 356, 357, 358, 359, 360, 361, 362, 363, 364, 365, 366, 367, 368, 369, 370,
    371, 372, 373, 373, 374, 375, 376, 376, 377, 378, 379, 379, 380, 381, 381, 382, 383,
    383, 384, 385, 385, 386, 387, 387, 388, 388, 389, 389, 390, 391, 391, 392, 392, 393,
    393, 394, 394, 395, 395, 396, 396, 397, 397, 398, 398, 399, 399, 399, 400, 400};

constexpr int32_t blockDigitsTotal()
{
    int32_t sum = 0;
    for (int16_t d : kBlockDigits)
        sum += d;
    return sum;
}
static_assert(blockDigitsTotal() == kFactTableDigits);

// Block i of the table as a record: its digits, then one zero fraction digit.
BigNum tableBlock(int32_t firstDigit, int32_t digits)
{
    BigNum p;
    p.positive = kTrue;
    p.digitsPerLimb = 1;
    p.limbCount = digits + 1;
    p.fracDigits = 1;
    p.exponent = 0;
    p.store.assign(static_cast<size_t>(p.limbCount) + 4, 0);
    for (int32_t j = 0; j < digits; ++j)
        p.limb(j + 1) = factDigits[static_cast<size_t>(firstDigit + j)];
    return p;
}

bool isZeroOrOne(const BigNum& x) { return myCompareAbs(x, bigZero) == 0 || myCompareAbs(x, bigOne) == 0; }

} // namespace

BigNum myFact(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isNegative(x))
        return reportError("(预制阶乘表，硬算加分治阶乘子程序)的输入值不能为负数", MessageStyle::Plain);
    if (hasFractionalPart(x))
        return reportError(kFractionalFactorialMessage, MessageStyle::Plain);

    SubFunctionTimer timer;
    if (isZeroOrOne(x))
        return bigOne;

    const int64_t n = integerMagnitudeCapped(x, int64_t{kMaxFactorialArgument} + 1);
    if (n > kMaxFactorialArgument)
        return reportError("只支持40000以下阶乘", MessageStyle::Plain);

    int32_t b = n < kTableTop + 1 ? static_cast<int32_t>(n / kBlockSize) : kTableBlocks;
    int32_t tableDigits = 0;
    for (int32_t i = 1; i <= b; ++i)
        tableDigits += kBlockDigits[static_cast<size_t>(i)];
    if (!requireTableDigits(DigitTableId::Fact, tableDigits))
        return BigNum{};

    // Pieces 1..b, then two spare pieces one: the direct product may take the
    // first, the product tree needs one behind the last piece.
    std::vector<BigNum> pieces(static_cast<size_t>(b) + 3);
    int32_t nextDigit = 1;
    for (int32_t i = 1; i <= b; ++i) {
        const int32_t digits = kBlockDigits[static_cast<size_t>(i)];
        pieces[static_cast<size_t>(i)] = tableBlock(nextDigit, digits);
        nextDigit += digits;
    }
    pieces[static_cast<size_t>(b) + 1] = bigOne;
    pieces[static_cast<size_t>(b) + 2] = bigOne;
    if (n > kTableTop || n % kBlockSize != 0) {
        ++b;
        pieces[static_cast<size_t>(b)] = myRangeProduct(static_cast<int32_t>(n));
    }
    joinByProductTree(pieces, b);
    BigNum result = cutToWorkPrecision(pieces[1]);
    if (errorFlag == -1)
        return BigNum{};
    timer.reportInMessage();
    return result;
}

BigNum myRangeProduct(int32_t n)
{
    if (errorFlag == -1)
        return BigNum{};
    const int64_t start = n >= kTableTop ? kTableTop + 1 : int64_t{kBlockSize} * (n / kBlockSize) + 1;
    return directProduct(start, n, 1);
}

BigNum myDoubleFact(const BigNum& x)
{
    if (errorFlag == -1)
        return BigNum{};
    if (isNegative(x))
        return reportError("硬算双阶乘的输入值不能为负数", MessageStyle::Plain);
    // 5.5!! is no double factorial of anything; taking 5!! for it would show
    // a number the user did not ask for.
    if (hasFractionalPart(x))
        return reportError(kFractionalFactorialMessage, MessageStyle::Plain);
    if (isZeroOrOne(x))
        return bigOne;
    const int64_t n = integerMagnitudeCapped(x, int64_t{kMaxFactorialArgument} + 1);
    if (n > kMaxFactorialArgument)
        return reportError("只支持40000以下阶乘", MessageStyle::Plain);
    return directProduct(n % 2 == 0 ? 2 : 1, n, 2);
}

BigNum myFullFact(const BigNum& x)
{
    if (isNegative(x) && errorFlag != -1)
        return reportError("全精度阶乘的输入值不能为负数", MessageStyle::Plain);
    if (errorFlag == -1)
        return BigNum{};
    // The series ask for n below 65534; anything larger is no small factorial
    // and would only run for a very long time.
    const int64_t n = integerMagnitudeCapped(x, kExactPackedFactorBound + 1);
    if (n > kExactPackedFactorBound)
        return reportError("全精度阶乘的输入值过大", MessageStyle::Plain);
    return exactFactorial(n);
}
