// State shared by the whole arithmetic: precision, the error flag, the display
// and timing switches, the constant numbers, the regrouping tables and the
// digit tables read from the files beside the executable. Everything runs on
// one thread, so plain globals are enough.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "bignum/bignum.h"
#include "bignum/message_port.h"
#include "bignum/thresholds.h"

// Significant digits carried by the arithmetic; results keep workPrecision + 4.
extern int32_t workPrecision;
// 0, or -1 once an error has been reported in the current evaluation; every
// routine returns the empty record at once while it is -1.
extern int16_t errorFlag;
// -1: results in scientific notation ("科学计数"); 0: plain notation.
extern int16_t scientificOutput;
// -1: timed routines report their elapsed time ("子函数测试").
extern int16_t subFunctionTest;

extern BigNum bigHalf, bigZero, bigOne, bigMinusOne, bigTwo, bigThree, bigFour, bigTen;

// powTable[d][k] = d * 10^k.
extern int32_t powTable[10][9];
// For v = 0 .. 10000 the entries 4v .. 4v+3 hold the four decimal digits of v.
// Filled at compile time: it is constant, and a table built at every start
// of the program cost 40 fresh pages before the first digit was computed.
extern const std::array<int32_t, 40004> digitTable;

// Digit tables, one digit value 0..9 per byte, most significant first, indexed
// as in the files (entry k is byte k, 1-based). Entries a short or missing file
// does not supply stay 0 and are never used: see tableDigitsAvailable.
extern std::array<uint8_t, kTableDigits + 1> piDigits;
extern std::array<uint8_t, kTableDigits + 1> eDigits;
extern std::array<uint8_t, kTableDigits + 1> ln10Digits;
extern std::array<uint8_t, kAtanTableDigits + 3> atanDigits; // entries -1 .. 55002, stored at +1
extern std::array<uint8_t, kFactTableDigits + 1> factDigits;

inline uint8_t& atanDigit(int32_t k) { return atanDigits[static_cast<size_t>(k + 1)]; }

enum class DigitTableId { Pi, E, Ln10, Atan, Fact };

// How many leading entries of a digit table the files really supplied. The
// digits themselves are read from the file when a table is first asked for
// (here or in requireTableDigits); start-up only checks the files.
int32_t tableDigitsAvailable(DigitTableId id);
void setTableDigitsAvailable(DigitTableId id, int32_t count);
// Fills a table's digits (and sets its count) from its file; start-up sets
// it, and every table counts as not read yet from then on.
using TableReader = void (*)(DigitTableId id);
void setTableReader(TableReader reader);
// File a digit table comes from ("万位常数.wwcs", ...).
const char* tableFileName(DigitTableId id);

// True when the first `count` entries of the table are present. Otherwise
// reports that the table file is missing or short, sets errorFlag and returns
// false, so that no routine computes with digits that are not there.
bool requireTableDigits(DigitTableId id, int32_t count);

// Reports text in the given style and sets errorFlag; returns the empty record.
BigNum reportError(const std::string& text, MessageStyle style);

// Sets the flags, builds the shared constants and the regrouping tables.
// Called by startUp (which also reads the table files) and by tests.
void initCoreState();

// Reports a result whose decimal exponent leaves ±kMaxExponent, sets errorFlag
// and returns the empty record.
BigNum reportExponentOverflow();
// True when e fits; otherwise reports the overflow.
bool exponentFits(int64_t e);
