// π and e from the digit tables read at start-up.
#include "funcs/constants.h"

#include <string>
#include <vector>

namespace {

const char* constantName(DigitTableId id) { return id == DigitTableId::E ? "e" : "π"; }

const std::array<uint8_t, kTableDigits + 1>& tableOf(DigitTableId id)
{
    return id == DigitTableId::E ? eDigits : piDigits;
}

} // namespace

BigNum tableConstant(DigitTableId id, int32_t digits)
{
    if (errorFlag == -1)
        return BigNum{};
    // Two digits at least, so that the record has its one integer and one
    // fraction digit.
    digits = std::max(digits, 2);
    if (digits > kTableDigits)
        return reportError(std::string("常数") + constantName(id) + "的数字表只有" + std::to_string(kTableDigits) +
                               "位，不够本次计算所需的" + std::to_string(digits) + "位",
                           MessageStyle::Plain);
    if (!requireTableDigits(id, digits))
        return BigNum{};
    const auto& table = tableOf(id);
    std::vector<int32_t> d(static_cast<size_t>(digits));
    for (int32_t i = 1; i <= digits; ++i)
        d[static_cast<size_t>(i - 1)] = table[static_cast<size_t>(i)];
    return makeFromDigits(d, digits - 1, 0, true);
}

BigNum myPi() { return tableConstant(DigitTableId::Pi, workPrecision + kGuardDigits); }

BigNum myE() { return tableConstant(DigitTableId::E, workPrecision + kGuardDigits); }
