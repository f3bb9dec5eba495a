// The library's faster entry: the exact product of two base-10000 limb strings
// by FFTW transforms.
//
// Why this shape:
//   - four digits per limb instead of three shorten the transform by a
//     quarter; a column of two 10,000-digit operands sums 2,500 products below
//     10^8, about 2.5 * 10^11, which a double carries with some 10^-5 of
//     absolute resolution, so the rounding error stays far below a half. It
//     is not assumed but measured on every call and handed back, so the
//     caller can form the product again exactly when it is ever too large;
//   - both operands share one complex transform (one in the real, one in the
//     imaginary parts) and the real product comes back through a transform of
//     half the length;
//   - FFTW is loaded by this entry on its first call, not linked: loading it
//     costs about a millisecond, which a run that never multiplies long
//     numbers should not pay, and the base-1000 entry works without it;
//   - plans are made once per length with FFTW_ESTIMATE and kept with their
//     aligned buffers for the rest of the run. Even so a plan costs far more
//     than one product (about 2 million instructions for complex plans, ten
//     times that for real-input ones), which is why the calculator sends only
//     long products here and why only powers of two are used.

#include <dlfcn.h>
#include <fftw3.h>
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "convmul/convmul.h"

namespace {

constexpr uint32_t kBase = 10000;
// Powers of two up to 2^22 give fewer than this many plans.
constexpr int kMaxPlans = 64;

// The two FFTW functions used, bound on the first call.
struct Fftw {
    bool attempted = false;
    fftw_plan (*plan)(int, fftw_complex*, fftw_complex*, int, unsigned) = nullptr;
    void (*execute)(const fftw_plan) = nullptr;
};

Fftw fftw;

bool fftwReady()
{
    if (!fftw.attempted) {
        fftw.attempted = true;
        void* handle = dlopen("libfftw3.so.3", RTLD_NOW | RTLD_LOCAL);
        if (handle != nullptr) {
            fftw.plan = reinterpret_cast<fftw_plan (*)(int, fftw_complex*, fftw_complex*, int, unsigned)>(
                dlsym(handle, "fftw_plan_dft_1d"));
            fftw.execute = reinterpret_cast<void (*)(const fftw_plan)>(dlsym(handle, "fftw_execute"));
        }
    }
    return fftw.plan != nullptr && fftw.execute != nullptr;
}

// `count` values aligned for FFTW's vector code, starting `shift` cache lines
// past a 4096-byte boundary. The buffers are powers of two long; without the
// shift, element k of each of them shares its address bits below 4096 with
// element k of the others, and the processor takes every load after a store
// to such an address for a dependent one (measured: the passes over the
// buffers took longer than the transforms).
fftw_complex* allocateComplex(int32_t count, int shift)
{
    void* p = nullptr;
    if (posix_memalign(&p, 4096, sizeof(fftw_complex) * static_cast<size_t>(count) + 64 * static_cast<size_t>(shift)) != 0)
        return nullptr;
    return reinterpret_cast<fftw_complex*>(static_cast<char*>(p) + 64 * shift);
}

struct Plan {
    int32_t size = 0;               // N, the transform length of the product
    fftw_complex* packed = nullptr; // N values: a + i b, then their spectrum
    fftw_complex* half = nullptr;   // N / 2 values: the folded product spectrum
    fftw_complex* turn = nullptr;   // N / 2 values: exp(2 pi i k / N)
    fftw_plan forward = nullptr;    // packed -> packed, length N
    fftw_plan backward = nullptr;   // half -> half, length N / 2
};

Plan plans[kMaxPlans];
int planCount = 0;

// Smallest length 2^k (k >= 1) not below `columns`. Lengths 3 * 2^k and
// 5 * 2^k would pad less, but every further length is one more plan to make
// in the run, which cost more than the shorter transforms saved.
int32_t transformSize(int32_t columns)
{
    int32_t best = 2;
    while (best < columns)
        best *= 2;
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
    const int32_t m = size / 2;
    p.packed = allocateComplex(size, 0);
    p.half = allocateComplex(m, 5);
    p.turn = allocateComplex(m, 11);
    if (p.packed == nullptr || p.half == nullptr || p.turn == nullptr)
        return nullptr;
    // Complex plans: FFTW makes them about ten times faster than real-input
    // ones, and a plan is made once per length in every run.
    p.forward = fftw.plan(size, p.packed, p.packed, FFTW_FORWARD, FFTW_ESTIMATE);
    p.backward = fftw.plan(m, p.half, p.half, FFTW_BACKWARD, FFTW_ESTIMATE);
    if (p.forward == nullptr || p.backward == nullptr)
        return nullptr;
    for (int32_t k = 0; k < m; ++k) {
        const double angle = 2.0 * M_PI * k / size;
        p.turn[k][0] = cos(angle);
        p.turn[k][1] = sin(angle);
    }
    p.size = size;
    ++planCount;
    return &p;
}

} // namespace

extern "C" __attribute__((visibility("default"))) double convmulMultiply10k(const uint32_t* a, int32_t na,
                                                                             const uint32_t* b, int32_t nb,
                                                                             uint32_t* product)
{
    if (na < 1 || nb < 1 || na > CONVMUL_MAX_LIMBS_10K || nb > CONVMUL_MAX_LIMBS_10K || !fftwReady())
        return -1.0;
    const int32_t columns = na + nb - 1;
    Plan* p = planFor(transformSize(columns));
    if (p == nullptr)
        return -1.0;
    const int32_t size = p->size;
    const int32_t m = size / 2;

    // Both operands in one complex transform: a in the real, b in the
    // imaginary parts. With Z' = conj(Z[N - k]) their spectra are
    // A = (Z + Z') / 2 and B = (Z - Z') / (2i).
    fftw_complex* z = p->packed;
    const int32_t common = na < nb ? na : nb;
    for (int32_t j = 0; j < common; ++j) {
        z[j][0] = static_cast<double>(a[j]);
        z[j][1] = static_cast<double>(b[j]);
    }
    for (int32_t j = common; j < na; ++j) {
        z[j][0] = static_cast<double>(a[j]);
        z[j][1] = 0.0;
    }
    for (int32_t j = common; j < nb; ++j) {
        z[j][0] = 0.0;
        z[j][1] = static_cast<double>(b[j]);
    }
    const int32_t longer = na < nb ? nb : na;
    memset(z + longer, 0, sizeof(fftw_complex) * static_cast<size_t>(size - longer));
    fftw.execute(p->forward);

    // The product spectrum P = A B is that of a real sequence c, so half a
    // transform takes it back: w[j] = c[2j] + i c[2j + 1] has the spectrum
    // W[k] = E[k] + i O[k] with E = (P[k] + P[k + M]) / 2 and
    // O = (P[k] - P[k + M]) exp(2 pi i k / N) / 2, M = N / 2. The 1/M of the
    // inverse transform is folded in here as well.
    const double scale = 0.5 / m;
    for (int32_t k = 0; k < m; ++k) {
        double pr[2], pi[2];
        for (int h = 0; h < 2; ++h) {
            const int32_t q = k + h * m;
            const int32_t r = q == 0 ? 0 : size - q;
            const double zr = z[q][0], zi = z[q][1];
            const double cr = z[r][0], ci = -z[r][1]; // conj(Z[N - q])
            const double ar = 0.5 * (zr + cr), ai = 0.5 * (zi + ci);
            // (Z - Z') / (2i) = (Im, -Re) of (Z - Z') / 2
            const double br = 0.5 * (zi - ci), bi = -0.5 * (zr - cr);
            pr[h] = ar * br - ai * bi;
            pi[h] = ar * bi + ai * br;
        }
        const double er = pr[0] + pr[1], ei = pi[0] + pi[1];
        const double dr = pr[0] - pr[1], di = pi[0] - pi[1];
        const double tr = p->turn[k][0], ti = p->turn[k][1];
        const double orr = dr * tr - di * ti, oi = dr * ti + di * tr;
        p->half[k][0] = (er - oi) * scale;
        p->half[k][1] = (ei + orr) * scale;
    }
    fftw.execute(p->backward);

    // Columns are non-negative; each is rounded to the nearest integer and
    // its distance from it kept. The carry is split so that the 64-bit
    // divisions do not wait for one another: a column r is hi * 10^4 + lo,
    // and lo + (previous hi) again hi2 * 10^4 + lo2. A column is at most
    // 2^20 * 9999^2, below 2^47, so hi2 stays below 2 * 10^6 and the one
    // carry that runs through all columns is a short 32-bit one.
    double worst = 0.0;
    const double* column = &p->half[0][0]; // c[0], c[1], c[2], ... in a row
    uint64_t hiBefore = 0;
    uint64_t hi2Before = 0;
    uint32_t carry = 0;
    for (int32_t k = 0; k < columns; ++k) {
        const double v = column[k];
        // A zero column may come out a hair below zero.
        const int64_t rounded = static_cast<int64_t>(v + 0.5);
        const double e = fabs(v - static_cast<double>(rounded));
        worst = e > worst ? e : worst;
        const uint64_t r = static_cast<uint64_t>(rounded < 0 ? 0 : rounded);
        const uint64_t hi = r / kBase;
        const uint64_t s1 = r - hi * kBase + hiBefore;
        hiBefore = hi;
        const uint64_t hi2 = s1 / kBase;
        const uint32_t s2 = static_cast<uint32_t>(s1 - hi2 * kBase + hi2Before);
        hi2Before = hi2;
        const uint32_t t = s2 + carry;
        carry = t / kBase;
        product[k] = t - carry * kBase;
    }
    // The product is below 10000^(na + nb): the rest fits one limb.
    product[columns] = static_cast<uint32_t>(hiBefore + hi2Before + carry);
    return worst;
}
