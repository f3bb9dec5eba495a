#include "bignum/globals.h"

int32_t workPrecision = kDefaultShownDigits + kHiddenDigits;
int16_t errorFlag = 0;
int16_t scientificOutput = kTrue;
int16_t subFunctionTest = kFalse;

BigNum bigHalf, bigZero, bigOne, bigMinusOne, bigTwo, bigThree, bigFour, bigTen;

int32_t powTable[10][9];
namespace {

// v sits in the units entry and is split leftwards by division by 10, so
// 10000 leaves 10 in its thousands entry; only v <= 9999 is looked up.
constexpr std::array<int32_t, 40004> buildDigitTable()
{
    std::array<int32_t, 40004> t{};
    for (int32_t v = 0; v <= 10000; ++v) {
        int32_t rest = v;
        for (int k = 3; k >= 1; --k) {
            t[static_cast<size_t>(4 * v + k)] = rest % 10;
            rest /= 10;
        }
        t[static_cast<size_t>(4 * v)] = rest;
    }
    return t;
}

} // namespace

extern constexpr std::array<int32_t, 40004> digitTable = buildDigitTable();

std::array<uint8_t, kTableDigits + 1> piDigits{};
std::array<uint8_t, kTableDigits + 1> eDigits{};
std::array<uint8_t, kTableDigits + 1> ln10Digits{};
std::array<uint8_t, kAtanTableDigits + 3> atanDigits{};
std::array<uint8_t, kFactTableDigits + 1> factDigits{};

namespace {
std::array<int32_t, 5> availableDigits{};
std::array<bool, 5> tableRead{};
TableReader tableReader = nullptr;

size_t slot(DigitTableId id) { return static_cast<size_t>(id); }

// π, e and ln 10 share one file, read as one.
void readOnFirstUse(DigitTableId id)
{
    if (tableRead[slot(id)])
        return;
    if (id == DigitTableId::Pi || id == DigitTableId::E || id == DigitTableId::Ln10) {
        for (DigitTableId c : {DigitTableId::Pi, DigitTableId::E, DigitTableId::Ln10})
            tableRead[slot(c)] = true;
    }
    tableRead[slot(id)] = true;
    if (tableReader != nullptr)
        tableReader(id);
}
} // namespace

int32_t tableDigitsAvailable(DigitTableId id)
{
    readOnFirstUse(id);
    return availableDigits[slot(id)];
}

void setTableDigitsAvailable(DigitTableId id, int32_t count)
{
    // The reader sets the counts as well; a count set from outside must not be
    // overwritten by a later first read.
    readOnFirstUse(id);
    availableDigits[slot(id)] = count;
}

void setTableReader(TableReader reader)
{
    tableReader = reader;
    tableRead.fill(false);
}

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
