// How often the functions show MPFR's correctly rounded digits (half up, as
// the display rounds), and arguments whose exact value has a long run of 0s
// or 9s right after the last shown digit (or just beside half a unit), where
// the hidden digits alone cannot decide and the shown digits must still come
// out exact.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <ostream>
#include <random>
#include <string>
#include <utility>

#include "tests/support/display_match.h"
#include "funcs/exponential.h"
#include "tests/support/function_match.h"
#include "bignum/globals.h"
#include "funcs/inverse_trig.h"
#include "funcs/logarithm.h"
#include "tests/support/reference.h"
#include "funcs/sine_cosine.h"
#include "funcs/square_root.h"
#include "funcs/tangent.h"

namespace {

struct Function {
    const char* name;
    BigNum (*routine)(const BigNum&);
    MpfrUnary f;
    MpfrUnary inverse;      // takes a wanted value to an argument
    int32_t minExp, maxExp; // random arguments: 0.DDD...e<exp>, exp in this range
    bool positiveOnly;
    double lowValue, highValue; // wanted values for the hard cases, in (low, high)
};

const Function kFunctions[] = {
    {"exp", myExp, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_exp(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_log(o, y, MPFR_RNDN); }, -6, 2, false, 0.1, 10},
    {"ln", myLn, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_log(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_exp(o, y, MPFR_RNDN); }, -20, 20, true, -40, 40},
    {"sin", mysin, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_sin(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_asin(o, y, MPFR_RNDN); }, -6, 3, false, -0.9, 0.9},
    {"cos", myCos, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_cos(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_acos(o, y, MPFR_RNDN); }, -6, 3, false, -0.9, 0.9},
    {"atan", myAtan, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_atan(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_tan(o, y, MPFR_RNDN); }, -10, 10, false, -1.5, 1.5},
    {"tan", myTan, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_tan(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_atan(o, y, MPFR_RNDN); }, -6, 3, false, -10, 10},
    {"asin", myAsin, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_asin(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_sin(o, y, MPFR_RNDN); }, -6, 0, false, -1.5, 1.5},
    {"sqrt", mySqrt, [](mpfr_ptr o, mpfr_srcptr x) { mpfr_sqrt(o, x, MPFR_RNDN); },
     [](mpfr_ptr o, mpfr_srcptr y) { mpfr_sqr(o, y, MPFR_RNDN); }, -30, 30, true, 0.01, 100},
};

void PrintTo(const Function& fn, std::ostream* out) { *out << fn.name; }

constexpr int32_t kBox = 30;
constexpr mpfr_prec_t kReferenceBits = 400;

class CorrectRounding : public ::testing::TestWithParam<Function> {
protected:
    void SetUp() override
    {
        resetCoreForTest(workPrecisionForBox(kBox));
        widenMpfrExponentRange();
        savedNotation_ = scientificOutput;
        scientificOutput = kTrue; // every shown digit significant, whatever the magnitude
    }
    void TearDown() override { scientificOutput = savedNotation_; }

    static int32_t shown() { return workPrecision - kHiddenDigits; }

    // The display of routine(x) and of f(x) rounded half up, exactly.
    static std::pair<std::string, std::string> shownAndWanted(const Function& fn, const std::string& x)
    {
        const std::string got = myNumToStr(fn.routine(bigFromDecimal(x)));
        Mpfr argument(x, kReferenceBits), value(kReferenceBits);
        fn.f(value, argument);
        return {got, referenceDisplay(value, shown())};
    }

private:
    int16_t savedNotation_ = 0;
};

// x as a decimal text of n significant digits, rounded to nearest.
std::string decimalOf(mpfr_srcptr x, int32_t n)
{
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n), x, MPFR_RNDN);
    std::string digits(s);
    mpfr_free_str(s);
    const bool negative = digits[0] == '-';
    return (negative ? "-0." : "0.") + digits.substr(negative ? 1 : 0) + "e" + std::to_string(e);
}

// Length of the run of `digit` right after the first n significant digits of
// |x| and the digit `after` (none when 0).
int32_t runAfter(mpfr_srcptr x, int32_t n, char after, char digit)
{
    mpfr_exp_t e = 0;
    char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n) + 40, x, MPFR_RNDZ);
    std::string digits(s);
    mpfr_free_str(s);
    if (digits[0] == '-')
        digits.erase(0, 1);
    if (after != 0) {
        if (digits[static_cast<size_t>(n)] != after)
            return 0;
        ++n;
    }
    int32_t run = 0;
    while (static_cast<size_t>(n + run) < digits.size() && digits[static_cast<size_t>(n + run)] == digit)
        ++run;
    return run;
}

// An argument of at most workPrecision digits whose exact value under fn has
// at least `wantedRun` copies of `digit` after the last shown digit: the
// inverse of a value built with that run, cut to the argument's length, with
// the candidates tried until one keeps the run that long.
std::string hardArgument(const Function& fn, std::mt19937_64& rng, char after, char digit, int32_t wantedRun)
{
    const int32_t n = workPrecision - kHiddenDigits;
    std::uniform_real_distribution<double> where(fn.lowValue, fn.highValue);
    Mpfr wanted(kReferenceBits), argument(kReferenceBits), value(kReferenceBits);
    for (int attempt = 0; attempt < 20000; ++attempt) {
        // A value near `where`: random shown digits, then the run.
        mpfr_set_d(wanted, where(rng), MPFR_RNDN);
        if (mpfr_zero_p(wanted))
            continue;
        mpfr_exp_t e = 0;
        char* s = mpfr_get_str(nullptr, &e, 10, static_cast<size_t>(n), wanted, MPFR_RNDZ);
        std::string text(s);
        mpfr_free_str(s);
        for (size_t i = text.size() - static_cast<size_t>(n) + 15; i < text.size(); ++i)
            text[i] = static_cast<char>('0' + rng() % 10); // beyond what a double decides
        const std::string run = (after ? std::string(1, after) : "") + std::string(40, digit);
        text = (text[0] == '-' ? "-0." + text.substr(1) : "0." + text) + run + "e" + std::to_string(e);
        mpfr_set_str(wanted, text.c_str(), 10, MPFR_RNDN);
        fn.inverse(argument, wanted);
        const std::string x = decimalOf(argument, workPrecision);
        Mpfr exactArgument(x, kReferenceBits);
        fn.f(value, exactArgument);
        if (runAfter(value, n, after, digit) >= wantedRun)
            return x;
    }
    return "";
}

}  // namespace

// Arguments whose value has, after the last shown digit, 10 or more 0s or 9s
// (two more than the hidden digits hold), or a 5 then 0s or a 4 then 9s (just
// above and just below half a unit): the shown digits are MPFR's exactly.
TEST_P(CorrectRounding, HardToRoundArgumentsShowExactDigits)
{
    const Function& fn = GetParam();
    std::mt19937_64 rng(5);
    const char runs[][2] = {{0, '0'}, {0, '9'}, {'5', '0'}, {'4', '9'}};
    for (const auto& r : runs)
        for (int i = 0; i < 3; ++i) {
            const std::string x = hardArgument(fn, rng, r[0], r[1], kHiddenDigits + 2);
            ASSERT_FALSE(x.empty()) << "no argument with a run of " << r[1];
            const auto [got, want] = shownAndWanted(fn, x);
            EXPECT_EQ(got, want) << fn.name << "(" << x << ")";
            EXPECT_EQ(errorFlag, 0);
        }
}

// 2,000 random arguments of 1 to 20 digits: the share whose shown digits are
// the correctly rounded ones. The others may be one unit off (cut results
// below a rounding boundary); the floor keeps that share from growing.
TEST_P(CorrectRounding, RateOfCorrectlyRoundedRandomArguments)
{
    const Function& fn = GetParam();
    std::mt19937_64 rng(2026);
    constexpr int kArguments = 2000;
    int exact = 0;
    for (int i = 0; i < kArguments; ++i) {
        const bool negative = !fn.positiveOnly && rng() % 2;
        std::string digits(1, static_cast<char>('1' + rng() % 9));
        for (uint64_t d = rng() % 20; d > 0; --d)
            digits += static_cast<char>('0' + rng() % 10);
        const auto exp = fn.minExp + static_cast<int32_t>(rng() % static_cast<uint64_t>(fn.maxExp - fn.minExp + 1));
        const std::string x = std::string(negative ? "-0." : "0.") + digits + "e" + std::to_string(exp);
        const auto [got, want] = shownAndWanted(fn, x);
        ASSERT_EQ(errorFlag, 0) << fn.name << "(" << x << ")";
        if (got == want)
            ++exact;
    }
    const double rate = static_cast<double>(exact) / kArguments;
    RecordProperty("correctly_rounded", exact);
    std::cout << fn.name << ": " << exact << " of " << kArguments << " correctly rounded (" << rate * 100 << "%) at "
              << shown() << " digits\n";
    EXPECT_GE(rate, 0.99);
}

INSTANTIATE_TEST_SUITE_P(Functions, CorrectRounding, ::testing::ValuesIn(kFunctions),
                         [](const ::testing::TestParamInfo<Function>& info) { return std::string(info.param.name); });
