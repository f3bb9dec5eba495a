#include "tests/support/display_match.h"

#include <gmp.h>

#include <algorithm>
#include <cctype>

#include "tests/support/reference.h"
#include "bignum/thresholds.h"
#include "expr/evaluation_run.h"

namespace {

class Integer {
public:
    Integer() { mpz_init(v_); }
    ~Integer() { mpz_clear(v_); }
    Integer(const Integer&) = delete;
    Integer& operator=(const Integer&) = delete;
    mpz_ptr get() { return v_; }

private:
    mpz_t v_;
};

// "[-]D.DDD[E[-]exp]" as mantissa * 10^low, with lead the power of ten of the
// first digit. False for anything else.
bool parseDisplay(const std::string& text, mpz_ptr mantissa, long& low, long& lead)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    const size_t e = text.find('E');
    const std::string body = text.substr(i, e == std::string::npos ? std::string::npos : e - i);
    const size_t point = body.find('.');
    if (point != 1 || body.size() < 3)
        return false;
    std::string digits = body.substr(0, 1) + body.substr(2);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    long exponent = 0;
    if (e != std::string::npos) {
        try {
            exponent = std::stol(text.substr(e + 1));
        } catch (...) {
            return false;
        }
    }
    if (negative)
        digits.insert(digits.begin(), '-');
    mpz_set_str(mantissa, digits.c_str(), 10);
    lead = exponent;
    low = exponent - static_cast<long>(body.size() - 2);
    return true;
}

} // namespace

int32_t workPrecisionForBox(int32_t digits)
{
    return precisionForDigits(digits);
}

std::string referenceDisplay(mpfr_srcptr reference, int32_t shown)
{
    // The display writes every value below 5 x 10^-shown as zero.
    const std::string lead = canonicalTruncated(reference, 1);
    if (lead != "0") {
        const size_t e = lead.find('e');
        const long exponent = std::stol(lead.substr(e + 1));
        const char digit = lead[lead[0] == '-' ? 1 : 0];
        if (exponent < -shown || (exponent == -shown && digit < '5'))
            return "0.0";
    }
    return scientificDisplayOf(canonicalRoundedHalfUp(reference, shown));
}

::testing::AssertionResult displaysWithinOneUnit(const std::string& got, const std::string& want, int32_t shown)
{
    if (got == want)
        return ::testing::AssertionSuccess();
    Integer a, b, diff, unit;
    long lowA = 0, lowB = 0, leadA = 0, leadB = 0;
    if (!parseDisplay(got, a.get(), lowA, leadA) || !parseDisplay(want, b.get(), lowB, leadB))
        return ::testing::AssertionFailure() << "got " << got << ", want " << want << " (not a display text)";
    // Both on the grid of the finest of the three powers involved.
    const long unitLow = leadB - shown + 1;
    const long grid = std::min({lowA, lowB, unitLow});
    if (leadA - leadB > 2 || leadB - leadA > 2)
        return ::testing::AssertionFailure() << "got " << got << ", want " << want;
    mpz_ui_pow_ui(diff.get(), 10, static_cast<unsigned long>(lowA - grid));
    mpz_mul(a.get(), a.get(), diff.get());
    mpz_ui_pow_ui(diff.get(), 10, static_cast<unsigned long>(lowB - grid));
    mpz_mul(b.get(), b.get(), diff.get());
    mpz_sub(diff.get(), a.get(), b.get());
    mpz_abs(diff.get(), diff.get());
    mpz_ui_pow_ui(unit.get(), 10, static_cast<unsigned long>(unitLow - grid));
    if (mpz_cmp(diff.get(), unit.get()) <= 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << got << ", want " << want << " (more than one unit in digit "
                                         << shown << ")";
}

void widenMpfrExponentRange()
{
    mpfr_set_emax(mpfr_get_emax_max());
    mpfr_set_emin(mpfr_get_emin_min());
}
