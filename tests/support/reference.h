// What the digit tests share: a canonical text for values, MPFR as the
// independent reference, random decimal operands, and a message port that
// records instead of printing.
#pragma once

#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bignum/bignum.h"
#include "bignum/message_port.h"

// Canonical text of a value: "0", or [-]D.DDD...e<exp> with no trailing zeros
// in the mantissa ("1.5e3", "-2e-7", "1e0").
std::string canonicalOf(const BigNum& x);

// Canonical text of x truncated toward zero to n significant digits (exact:
// MPFR produces the digits with round-toward-zero).
std::string canonicalTruncated(mpfr_srcptr x, int32_t n);
// Canonical text of x rounded to nearest to n significant digits.
std::string canonicalRounded(mpfr_srcptr x, int32_t n);

// Canonical text of a decimal text such as "-123.45e-6", truncated to n digits
// (all of them when n is 0).
std::string canonicalOfDecimal(const std::string& decimal, int32_t n);

// RAII holder of an mpfr_t.
class Mpfr {
public:
    explicit Mpfr(mpfr_prec_t bits);
    Mpfr(const std::string& decimal, mpfr_prec_t bits); // exact when bits suffice
    ~Mpfr();
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;
    mpfr_ptr get() { return value_; }
    mpfr_srcptr get() const { return value_; }
    operator mpfr_ptr() { return value_; }
    operator mpfr_srcptr() const { return value_; }

private:
    mpfr_t value_;
};

// Bits that hold a decimal of `digits` significant digits exactly enough for
// the checks (generous: 3.33 bits a digit plus slack).
mpfr_prec_t bitsForDigits(int64_t digits);

// A BigNum with the value of a decimal text "[-]digits[.digits][e[-]exp]":
// the mantissa through myStrToNum, the exponent put into the record's field.
BigNum bigFromDecimal(const std::string& decimal);

// A random decimal: `digits` significant digits (first nonzero), the point at a
// random place or absent, a random exponent in [-maxExp, maxExp] written as
// e<exp> when nonzero, a random sign.
std::string randomDecimal(std::mt19937_64& rng, int32_t digits, int32_t maxExp);

// A random decimal with a run where carries and truncation break: around
// significant digit `cut` (0-based: the first digit dropped when `cut` digits
// are kept) the digits are, chosen at random, all 9s, all 0s, 9s up to the
// cut then 0s, or left uniform. The run starts up to 12 digits before the cut
// and goes on up to 30 digits after it (or to the end). Written D.DDD...e<exp>
// with exp in [-maxExp, maxExp] and a random sign, so that two operands with
// a small maxExp line their runs up.
std::string randomDecimalWithRunAt(std::mt19937_64& rng, int32_t digits, int32_t maxExp, int32_t cut);

// s written n times (long and deeply bracketed inputs).
std::string repeat(const std::string& s, size_t n);

// Records every message and caption; installs itself for its lifetime.
class RecordingPort : public MessagePort {
public:
    RecordingPort();
    ~RecordingPort() override;
    void showMessage(const std::string& text, MessageStyle style) override;
    void setCaption(const std::string& text) override;
    std::vector<std::pair<std::string, MessageStyle>> messages;
    std::vector<std::string> captions;

private:
    MessagePort* previous_;
};

// Success when a step was refused: an empty result, the error flag raised,
// and exactly one message on the port, `message`, in the plain style.
::testing::AssertionResult refusedWith(const BigNum& result, const RecordingPort& port, const std::string& message);

// Puts the core into its start-up state once for the process (flags, constants,
// regrouping tables, table files beside the test executable) and clears the
// error flag; call from every test's SetUp.
void resetCoreForTest(int32_t precision = 40);

// Canonical text of x rounded half away from zero (half up on the magnitude)
// to n significant digits, as the display rounds.
std::string canonicalRoundedHalfUp(mpfr_srcptr x, int32_t n);

// Display text ("1.2345E4", "-5.0", "3.0E-7") of a canonical text, for
// comparing myNumToStr in scientific notation with a reference.
std::string scientificDisplayOf(const std::string& canonical);

// Exact decimal values for the references of +, -, * and /: binary floating
// point cannot hold 0.1 exactly, and a truncated result that ends exactly on a
// digit boundary (6/3, 0.5 + 0.5) must not come out one unit low. A value is
// mantissa * 10^exp10 with an integer mantissa (GMP).
class ExactDecimal {
public:
    ExactDecimal();
    explicit ExactDecimal(const std::string& decimal); // "[-]digits[.digits][e[-]exp]"
    ExactDecimal(const ExactDecimal& other);
    ExactDecimal& operator=(const ExactDecimal& other);
    ~ExactDecimal();

    friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);

    // Canonical text truncated toward zero to n significant digits.
    std::string truncated(int32_t n) const;
    // Canonical text rounded half up (on the magnitude) to n digits.
    std::string roundedHalfUp(int32_t n) const;
    // This value cut toward zero to n significant digits (as the arithmetic
    // cuts its operands).
    ExactDecimal cut(int32_t n) const;
    // a / b truncated toward zero to n significant digits; b must not be 0.
    static std::string quotientTruncated(const ExactDecimal& a, const ExactDecimal& b, int32_t n);

    mpz_srcptr mantissa() const { return mantissa_; }
    long exp10() const { return exp10_; }

private:
    mpz_t mantissa_;
    long exp10_ = 0;
};
