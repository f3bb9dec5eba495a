// The library's faster entry: the exact product of two base-10000 limb strings
// by real-input transforms from FFTW.
//
// Why this shape:
//   - base 10000 halves the transform length of the base-1000 entry; a column
//     of two 10,000-digit operands sums 2,500 products below 10^8, about
//     2.5 * 10^11, which a double carries with some 10^-5 of absolute
//     resolution, so the rounding error stays far below a half. It is not
//     assumed but measured on every call and handed back, so the caller can
//     form the product again exactly when it is ever too large;
//   - real-to-complex transforms of length N cost about half a complex one,
//     and lengths 2^k, 3 * 2^k and 5 * 2^k waste at most a quarter of the
//     length on padding instead of up to a half;
//   - a square (same limbs twice) needs one forward transform instead of two;
//   - plans are made once per length with FFTW_ESTIMATE (no timing runs, so a
//     fresh process pays microseconds, not milliseconds) and kept with their
//     aligned buffers for the rest of the run.

#include <fftw3.h>
#include <math.h>
#include <stdint.h>
#include <string.h>

#include "convmul.h"

namespace {

constexpr int32_t kBase = 10000;
constexpr int32_t kLargestOddFactor = 1;
// Lengths 2^k, 3 * 2^k, 5 * 2^k up to 2^22 give fewer than this many plans.
constexpr int kMaxPlans = 64;

struct Plan {
    int32_t size = 0;
    double* real = nullptr;        // size values
    fftw_complex* first = nullptr; // size / 2 + 1 values
    fftw_complex* second = nullptr;
    fftw_plan forward = nullptr;  // real -> first
    fftw_plan backward = nullptr; // first -> real
};

Plan plans[kMaxPlans];
int planCount = 0;

// Smallest length 2^k, 3 * 2^k or 5 * 2^k (k >= 1) not below `columns`.
int32_t transformSize(int32_t columns)
{
    int32_t best = 2;
    while (best < columns)
        best *= 2;
    for (int32_t odd = 3; odd <= kLargestOddFactor; odd += 2) {
        int32_t n = 2 * odd;
        while (n < columns)
            n *= 2;
        if (n < best)
            best = n;
    }
    return best;
}

Plan* planFor(int32_t size)
{
    for (int i = 0; i < planCount; ++i)
        if (plans[i].size == size)
            return &plans[i];
    if (planCount == kMaxPlans)
        return nullptr;
    Plan& p = plans[planCount];
    const int32_t half = size / 2 + 1;
    p.real = fftw_alloc_real(static_cast<size_t>(size));
    p.first = fftw_alloc_complex(static_cast<size_t>(half));
    p.second = fftw_alloc_complex(static_cast<size_t>(half));
    if (p.real == nullptr || p.first == nullptr || p.second == nullptr)
        return nullptr;
    p.forward = fftw_plan_dft_r2c_1d(size, p.real, p.first, FFTW_ESTIMATE);
    p.backward = fftw_plan_dft_c2r_1d(size, p.first, p.real, FFTW_ESTIMATE);
    if (p.forward == nullptr || p.backward == nullptr)
        return nullptr;
    p.size = size;
    ++planCount;
    return &p;
}

void load(double* real, const uint32_t* limbs, int32_t count, int32_t size)
{
    for (int32_t j = 0; j < count; ++j)
        real[j] = static_cast<double>(limbs[j]);
    for (int32_t j = count; j < size; ++j)
        real[j] = 0.0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) double convmulMultiply10k(const uint32_t* a, int32_t na,
                                                                             const uint32_t* b, int32_t nb,
                                                                             uint32_t* product)
{
    if (na < 1 || nb < 1 || na > CONVMUL_MAX_LIMBS_10K || nb > CONVMUL_MAX_LIMBS_10K)
        return -1.0;
    const int32_t columns = na + nb - 1;
    Plan* p = planFor(transformSize(columns));
    if (p == nullptr)
        return -1.0;
    const int32_t size = p->size;
    const int32_t half = size / 2 + 1;

    const bool square = na == nb && (a == b || memcmp(a, b, sizeof(uint32_t) * static_cast<size_t>(na)) == 0);
    load(p->real, a, na, size);
    fftw_execute_dft_r2c(p->forward, p->real, p->first);
    const double scale = 1.0 / size;
    if (square) {
        for (int32_t k = 0; k < half; ++k) {
            const double re = p->first[k][0], im = p->first[k][1];
            p->first[k][0] = (re * re - im * im) * scale;
            p->first[k][1] = 2.0 * re * im * scale;
        }
    } else {
        load(p->real, b, nb, size);
        fftw_execute_dft_r2c(p->forward, p->real, p->second);
        for (int32_t k = 0; k < half; ++k) {
            const double ar = p->first[k][0], ai = p->first[k][1];
            const double br = p->second[k][0], bi = p->second[k][1];
            p->first[k][0] = (ar * br - ai * bi) * scale;
            p->first[k][1] = (ar * bi + ai * br) * scale;
        }
    }
    fftw_execute_dft_c2r(p->backward, p->first, p->real);

    // Columns are non-negative; each is rounded to the nearest integer and
    // its distance from it kept. The carry stays below 2^64: a column is at
    // most 2^20 * 9999^2.
    double worst = 0.0;
    uint64_t carry = 0;
    for (int32_t k = 0; k < columns; ++k) {
        const double v = p->real[k];
        const double r = nearbyint(v);
        const double e = fabs(v - r);
        worst = e > worst ? e : worst;
        const uint64_t t = static_cast<uint64_t>(r < 0.0 ? 0.0 : r) + carry;
        carry = t / kBase;
        product[k] = static_cast<uint32_t>(t - carry * kBase);
    }
    // The product is below 10000^(na + nb): the rest fits one limb.
    product[columns] = static_cast<uint32_t>(carry);
    return worst;
}
