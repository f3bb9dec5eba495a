#include "globals.h"

int32_t workPrecision = kDefaultShownDigits + kHiddenDigits;
int16_t errorFlag = 0;
int16_t scientificOutput = kTrue;
int16_t subFunctionTest = kFalse;

BigNum bigHalf, bigZero, bigOne, bigMinusOne, bigTwo, bigThree, bigFour, bigTen;

int32_t powTable[10][9];
int32_t digitTable[40004];

std::array<uint8_t, kTableDigits + 1> piDigits{};
std::array<uint8_t, kTableDigits + 1> eDigits{};
std::array<uint8_t, kTableDigits + 1> ln10Digits{};
std::array<uint8_t, kAtanTableDigits + 3> atanDigits{};
std::array<uint8_t, kFactTableDigits + 1> factDigits{};

std::array<std::string, 10> memoryText{};

namespace {
std::array<int32_t, 5> availableDigits{};

size_t slot(DigitTableId id) { return static_cast<size_t>(id); }
} // namespace

int32_t tableDigitsAvailable(DigitTableId id) { return availableDigits[slot(id)]; }

void setTableDigitsAvailable(DigitTableId id, int32_t count) { availableDigits[slot(id)] = count; }

const char* tableFileName(DigitTableId id)
{
    switch (id) {
    case DigitTableId::Atan: return "反正切表.txt";
    case DigitTableId::Fact: return "阶乘表.jcb";
    default: return "万位常数.wwcs";
    }
}

bool requireTableDigits(DigitTableId id, int32_t count)
{
    if (count <= tableDigitsAvailable(id))
        return true;
    if (errorFlag == 0)
        reportError(std::string("表文件“") + tableFileName(id) + "”缺失或不完整，无法完成本次计算", MessageStyle::Warning);
    return false;
}

BigNum reportError(const std::string& text, MessageStyle style)
{
    showMessage(text, style);
    errorFlag = -1;
    return BigNum{};
}

void initCoreState()
{
    errorFlag = 0;
    subFunctionTest = kFalse;
    scientificOutput = kTrue;

    bigHalf = makeSmallConstant(kTrue, 1, 1, 5, -1);
    bigZero = makeSmallConstant(kTrue, 8, 8, 0, 0);
    bigOne = makeSmallConstant(kTrue, 4, 4, 1, 0);
    bigMinusOne = makeSmallConstant(kFalse, 4, 4, 1, 0);
    bigTwo = makeSmallConstant(kTrue, 4, 4, 2, 0);
    bigThree = makeSmallConstant(kTrue, 4, 4, 3, 0);
    bigFour = makeSmallConstant(kTrue, 4, 4, 4, 0);
    bigTen = makeSmallConstant(kTrue, 4, 4, 10, 0);

    for (int d = 0; d < 10; ++d) {
        int32_t p = 1;
        for (int k = 0; k < 9; ++k, p *= 10)
            powTable[d][k] = d * p;
    }
    // The digits of v counted up, not divided out: this runs at every start
    // of the program. 10000 leaves 10 in its thousands entry, as splitting it
    // by repeated division would; only v <= 9999 is looked up.
    int32_t* entry = digitTable;
    for (int32_t thousands = 0; thousands < 10; ++thousands)
        for (int32_t hundreds = 0; hundreds < 10; ++hundreds)
            for (int32_t tens = 0; tens < 10; ++tens)
                for (int32_t units = 0; units < 10; ++units) {
                    entry[0] = thousands;
                    entry[1] = hundreds;
                    entry[2] = tens;
                    entry[3] = units;
                    entry += 4;
                }
    entry[0] = 10;
    entry[1] = entry[2] = entry[3] = 0;
}

BigNum reportExponentOverflow()
{
    return reportError("计算结果的数量级超出了可表示的范围", MessageStyle::Plain);
}

bool exponentFits(int64_t e)
{
    if (e >= -kMaxExponent && e <= kMaxExponent)
        return true;
    if (errorFlag == 0)
        reportExponentOverflow();
    return false;
}
