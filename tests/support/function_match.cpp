#include "tests/support/function_match.h"

#include "tests/support/display_match.h"
#include "bignum/globals.h"
#include "tests/support/reference.h"

mpfr_prec_t referenceBits(int32_t p, const std::string& argument)
{
    return bitsForDigits(static_cast<int64_t>(p) + 60 + static_cast<int64_t>(argument.size()));
}

::testing::AssertionResult agreesWithMpfr(const BigNum& result, mpfr_srcptr reference)
{
    const int32_t shown = workPrecision - kHiddenDigits;
    if (result.isEmpty())
        return ::testing::AssertionFailure() << "empty result";
    const std::string display = myNumToStr(result);
    ::testing::AssertionResult plain = displaysWithinOneUnit(display, referenceDisplay(reference, shown), shown);
    if (!plain)
        return plain << " (as displayed)";
    if (mpfr_zero_p(reference))
        return isZero(result) ? ::testing::AssertionSuccess()
                              : ::testing::AssertionFailure() << "got " << display << ", want 0";

    BigNum scaled = myToSci(myRegroup(result, 1));
    const long exponent = scaled.exponent;
    scaled.exponent = 0;
    Mpfr power(mpfr_get_prec(reference)), referenceScaled(mpfr_get_prec(reference));
    mpfr_set_ui(power, 10, MPFR_RNDN);
    mpfr_pow_si(power, power, -exponent, MPFR_RNDN);
    mpfr_mul(referenceScaled, reference, power, MPFR_RNDN);
    ::testing::AssertionResult digits =
        displaysWithinOneUnit(myNumToStr(scaled), referenceDisplay(referenceScaled, shown), shown);
    if (!digits)
        return digits << " (digits scaled by 10^" << -exponent << ")";
    return ::testing::AssertionSuccess();
}

void expectUnaryMatchesMpfr(BigNum (*routine)(const BigNum&), const MpfrUnary& f, const std::string& x,
                            int32_t box)
{
    const int32_t p = workPrecisionForBox(box);
    const std::string shortX =
        x.size() <= 80 ? x : x.substr(0, 60) + "...(" + std::to_string(x.size()) + " chars)..." + x.substr(x.size() - 12);
    SCOPED_TRACE("box " + std::to_string(box) + ", argument " + shortX);
    resetCoreForTest(p);
    RecordingPort port;
    const BigNum r = routine(bigFromDecimal(x));
    EXPECT_EQ(errorFlag, 0);
    EXPECT_TRUE(port.messages.empty()) << port.messages.front().first;
    EXPECT_EQ(workPrecision, p);
    const mpfr_prec_t bits = referenceBits(p, x);
    Mpfr argument(x, bits), reference(bits);
    f(reference, argument);
    EXPECT_TRUE(agreesWithMpfr(r, reference));
}

std::string longDecimal(const std::string& head, size_t n, const std::string& tail)
{
    static const char kCycle[] = "142857";
    std::string s = head;
    for (size_t i = 0; i < n; ++i)
        s += kCycle[i % 6];
    return s + tail;
}

std::string nines(int k) { return "0." + std::string(static_cast<size_t>(k), '9'); }
