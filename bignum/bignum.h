// The number record shared by every arithmetic routine, and the routines that
// normalise, regroup, rescale and trim it.
//
// Value of a BigNum x:
//
//   (positive ? +1 : -1) * M * 10^(-fracDigits) * 10^exponent
//
// where M is the integer whose base-10^digitsPerLimb digits are
// limb(1) .. limb(limbCount), most significant first.
//
// Invariants after qslqwl:
//   - digitsPerLimb is 1, 3, 4, 8 or 9 (2 and 5 are accepted only as a source
//     when regrouping); 0 is reported as an error;
//   - fracDigits is counted in decimal digits and is a multiple of
//     digitsPerLimb whenever that is above 1;
//   - limbs are 0 .. 10^digitsPerLimb - 1;
//   - the guard positions -1, 0, limbCount + 1 and limbCount + 2 hold 0
//     (the schoolbook product flushes its row carry through limb(0), myToSci
//     borrows limb(limbCount + 1) as an extra zero digit);
//   - at least one integer limb and, when fracDigits > 0, one fraction limb.
//
// Zero is normally one integer and one fraction limb, both 0. The empty record
// (every field 0, no limbs) is what a routine returns once errorFlag is set.
//
// Between routines numbers travel with one decimal digit per limb; wider limbs
// exist only inside an operation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BigNum {
    int16_t positive = 0;       // -1: zero or positive, 0: negative
    int32_t fracDigits = 0;     // decimal digits after the point
    int16_t digitsPerLimb = 0;  // decimal digits packed in one limb
    int32_t limbCount = 0;      // limbs in use, positions 1 .. limbCount
    std::vector<int32_t> store; // store[i + 1] is limb(i), i = -1 .. limbCount + 2
    int32_t exponent = 0;       // power of ten scaling the value

    int32_t& limb(int32_t i) { return store[static_cast<size_t>(i + 1)]; }
    int32_t limb(int32_t i) const { return store[static_cast<size_t>(i + 1)]; }
    // Pointer to limb(i); limb(i + 1) follows it in memory.
    int32_t* limbPtr(int32_t i) { return store.data() + (i + 1); }
    const int32_t* limbPtr(int32_t i) const { return store.data() + (i + 1); }

    bool isEmpty() const { return store.empty(); }
    bool isPositive() const { return positive != 0; }
    // Makes the positions -1 .. upper valid, keeping what was there and
    // zero-filling the new positions.
    void resizeLimbs(int32_t upper) { store.resize(static_cast<size_t>(upper + 2), 0); }
    // Zeroes positions -1, 0, limbCount + 1, limbCount + 2 (grows the array if needed).
    void clearGuards();
};

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Builds a record with one digit per limb from decimal digit values 0..9.
// Used by the constants read from the digit tables and by the tests.
BigNum makeFromDigits(const std::vector<int32_t>& digits, int32_t fracDigits, int32_t exponent,
                      bool positive);
// A record holding only the limb(1) value v, as the shared constants are built.
BigNum makeSmallConstant(int16_t positive, int32_t fracDigits, int16_t digitsPerLimb, int32_t v,
                         int32_t exponent);

// ---- normalisation and regrouping (normalize.cpp, regroup.cpp) ----

// Normalised copy of x: surplus leading/trailing zero limbs removed, guards
// zeroed. digitsPerLimb == 0 reports "qslqwl函数的输入参数进制位为零".
BigNum qslqwl(BigNum x);
// Copy of x with target digits per limb (1, 4, 8 or 9); other pairs unchanged.
BigNum myRegroup(BigNum x, int16_t target);
// In place: 1 digit per limb -> k (3, 4, 8, 9) digits per limb.
void myPack(BigNum& x, int k);
// In place: k (2, 3, 4, 5, 8, 9) digits per limb -> 1 digit per limb.
void myUnpack(BigNum& x, int k);
// In place: 4 -> 8 and 8 -> 4 digits per limb.
void myPack4To8(BigNum& x);
void myUnpack8To4(BigNum& x);

// ---- scientific form and precision (sci_form.cpp) ----

// Scientific form (one digit before the point) of x, which has 1 digit per limb.
BigNum myToSci(BigNum x);
// In place: folds the exponent into the digits (exponent becomes 0).
void myFromSci(BigNum& x);
// Scientific form of x (1 digit per limb) chopped to n significant digits.
BigNum myTruncSig(BigNum x, int32_t n);
// As myTruncSig for an x that is already scientific.
BigNum myChopSig(BigNum x, int32_t n);
// Scientific x rounded half up (on the magnitude) to n significant digits.
BigNum myRoundSig(BigNum x, int32_t n);

// ---- add, subtract, compare (add_sub.cpp) ----

// 0 when |a| = |b|, 1 when |a| < |b|, 2 when |a| > |b|.
int16_t myCompareAbs(const BigNum& a, const BigNum& b);
// a + b and a - b, scientific form, cut to workPrecision + 4 digits.
BigNum myAdd(const BigNum& a, const BigNum& b);
BigNum mySub(const BigNum& a, const BigNum& b);

// Convenience predicates built on myCompareAbs.
bool isZero(const BigNum& x);

// ---- multiplication (multiply.cpp, fft_binding.cpp) ----

// a * b, scientific form, cut to workPrecision + 4 digits; large operands go to
// libconvmul.so (or to Karatsuba's method when it cannot be loaded).
BigNum myMul(const BigNum& a, const BigNum& b);
// The FFT branch of myMul; neither operand may be zero.
BigNum myMulFFT(const BigNum& a, const BigNum& b);
// Schoolbook product in base 10^8 of operands cut as by myMul, whatever
// their length.
BigNum myMulSchoolbook(const BigNum& a, const BigNum& b);

// ---- text conversion (text_convert.cpp) ----

// Decimal numeral ("-", digits, at most one ".") -> 1 digit per limb, plain form.
// A numeral with more than one point is reported and yields the empty record.
BigNum myStrToNum(const std::string& text);
// Display text of x with workPrecision - 8 significant digits.
std::string myNumToStr(const BigNum& x);
