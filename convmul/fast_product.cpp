// The library's faster entries: the exact product of two long numbers, given
// as base-10000 limbs or as decimal digit strings, by FFTW transforms.
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
//     half the length. A square needs only one real operand's spectrum: its
//     limbs, read in pairs as complex values, go through a half-length
//     transform, so a square costs two half-length transforms, not three;
//   - transform lengths are 2^k, 3 * 2^k or 5 * 2^k, whichever is the first
//     to hold the product: the padding (and the work on it) is at most a
//     third instead of up to a whole half, and FFTW is nearly as quick per
//     point on these lengths (measured: 5,120 points cost 150,000
//     instructions, 8,192 points 247,000);
//   - digit strings are packed into limbs straight in the transform's input,
//     and only the padding is zeroed; the pass that rounds the columns also
//     carries them and measures the rounding error;
//   - FFTW is loaded by these entries on their first call, not linked:
//     loading it costs about a millisecond, which a run that never multiplies
//     long numbers should not pay, and the base-1000 entry works without it;
//   - plans are made once per length with FFTW_ESTIMATE and kept with their
//     aligned buffers for the rest of the run. A plan costs far more than one
//     product (about 2 million instructions for complex plans, tens of times
//     that for real-input ones, hence complex plans only), which is why the
//     calculator sends only long products here.

#include <dlfcn.h>
#include <fftw3.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "convmul/convmul.h"

namespace {

constexpr uint32_t kBase = 10000;
// Three length classes per octave up to 2^22 give fewer plans than this.
constexpr int kMaxPlans = 96;

// The FFTW functions used, bound on the first call.
struct Fftw {
    bool attempted = false;
    fftw_plan (*plan)(int, fftw_complex*, fftw_complex*, int, unsigned) = nullptr;
    void (*execute)(const fftw_plan) = nullptr;
    void (*destroy)(fftw_plan) = nullptr;
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
            fftw.destroy = reinterpret_cast<void (*)(fftw_plan)>(dlsym(handle, "fftw_destroy_plan"));
        }
    }
    return fftw.plan != nullptr && fftw.execute != nullptr && fftw.destroy != nullptr;
}

// `count` values aligned for FFTW's vector code, starting `shift` cache lines
// past a 4096-byte boundary. Most lengths are multiples of a large power of
// two; without the shift, element k of each buffer shares its address bits
// below 4096 with element k of the others, and the processor takes every load
// after a store to such an address for a dependent one (measured: the passes
// over the buffers took longer than the transforms).
fftw_complex* allocateComplex(int32_t count, int shift)
{
    void* p = nullptr;
    if (posix_memalign(&p, 4096, sizeof(fftw_complex) * static_cast<size_t>(count) + 64 * static_cast<size_t>(shift)) != 0)
        return nullptr;
    return reinterpret_cast<fftw_complex*>(static_cast<char*>(p) + 64 * shift);
}

// Cache lines each buffer of a plan starts past its 4096-byte boundary.
constexpr int kPackedShift = 0, kSpectrumShift = 3, kHalfShift = 5, kTurnShift = 11;

void releaseComplex(fftw_complex* p, int shift)
{
    if (p != nullptr)
        free(reinterpret_cast<char*>(p) - 64 * shift);
}

struct Plan {
    int32_t size = 0;                 // N, the transform length of the product
    // Every transform goes from one buffer to another: FFTW's out-of-place
    // plans are cheaper to make and, on lengths 3 * 2^k and 5 * 2^k, to run
    // (measured: 15 to 30 % fewer instructions) than in-place ones.
    fftw_complex* packed = nullptr;   // N values: a + i b (a square: a's N limbs),
                                      // then the product columns, two in each
    fftw_complex* spectrum = nullptr; // N values: the spectrum of a + i b
    fftw_complex* half = nullptr;     // N / 2 values: the folded product spectrum
    fftw_complex* turn = nullptr;     // N / 2 values: exp(2 pi i k / N)
    fftw_plan forward = nullptr;      // packed -> spectrum, length N
    fftw_plan backward = nullptr;     // half -> packed, length N / 2
    fftw_plan halfForward = nullptr;  // packed -> half, length N / 2, made at the first square
};

Plan plans[kMaxPlans];
int planCount = 0;

// Smallest even length of the form 2^k, 3 * 2^k or 5 * 2^k not below
// `columns`.
int32_t transformSize(int32_t columns)
{
    int32_t power = 2;
    while (power < columns)
        power *= 2;
    int32_t best = power;
    const int32_t odds[] = {3, 5};
    for (const int32_t odd : odds) {
        int32_t n = 2 * odd;
        while (n < columns)
            n *= 2;
        best = n < best ? n : best;
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
    const int32_t m = size / 2;
    p.packed = allocateComplex(size, kPackedShift);
    p.spectrum = allocateComplex(size, kSpectrumShift);
    p.half = allocateComplex(m, kHalfShift);
    p.turn = allocateComplex(m, kTurnShift);
    if (p.packed == nullptr || p.spectrum == nullptr || p.half == nullptr || p.turn == nullptr)
        return nullptr;
    p.forward = fftw.plan(size, p.packed, p.spectrum, FFTW_FORWARD, FFTW_ESTIMATE);
    p.backward = fftw.plan(m, p.half, p.packed, FFTW_BACKWARD, FFTW_ESTIMATE);
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

// The plans and buffers go when the library is unloaded: a caller that
// closes it and opens it again must not leave them behind unreachable.
__attribute__((destructor)) void releasePlans()
{
    for (Plan& p : plans) {
        const fftw_plan made[] = {p.forward, p.backward, p.halfForward};
        for (fftw_plan plan : made)
            if (plan != nullptr)
                fftw.destroy(plan);
        releaseComplex(p.packed, kPackedShift);
        releaseComplex(p.spectrum, kSpectrumShift);
        releaseComplex(p.half, kHalfShift);
        releaseComplex(p.turn, kTurnShift);
        p = Plan{};
    }
    planCount = 0;
}

template <int Stride>
void zeroFrom(double* dst, int32_t from, int32_t to)
{
    for (int32_t j = from; j < to; ++j)
        dst[Stride * j] = 0.0;
}

// Operand sources: each writes its `limbs()` limbs, least significant first,
// to dst[0], dst[Stride], dst[2 * Stride], ... (Stride 2: the real or the
// imaginary parts of a complex array), then zeros up to dst[(total - 1) * Stride].
struct Limbs10k {
    const uint32_t* v;
    int32_t n;
    int32_t limbs() const { return n; }
    uint64_t limb(int32_t j) const { return v[j]; }
    bool sameAs(const Limbs10k& o) const { return n == o.n && (v == o.v || memcmp(v, o.v, sizeof(*v) * static_cast<size_t>(n)) == 0); }
    template <int Stride>
    void put(double* dst, int32_t total) const
    {
        for (int32_t j = 0; j < n; ++j)
            dst[Stride * j] = static_cast<double>(v[j]);
        zeroFrom<Stride>(dst, n, total);
    }
};

// Decimal digits, most significant first, one per element; limb j is
// d[n - 4j - 4 .. n - 4j - 1], the most significant one padded in front.
struct Digits {
    const int32_t* d;
    int32_t n;
    int32_t limbs() const { return (n + 3) / 4; }
    uint64_t limb(int32_t j) const
    {
        const int32_t end = n - 4 * j; // one past the limb's last digit
        uint64_t value = 0;
        for (int32_t k = end < 4 ? 0 : end - 4; k < end; ++k)
            value = value * 10 + static_cast<uint64_t>(d[k]);
        return value;
    }
    bool sameAs(const Digits& o) const { return n == o.n && (d == o.d || memcmp(d, o.d, sizeof(*d) * static_cast<size_t>(n)) == 0); }
    template <int Stride>
    void put(double* dst, int32_t total) const
    {
        const int32_t whole = n / 4;
        const int32_t* p = d + n;
        double* out = dst;
        int32_t j = 0;
#ifdef __SSE2__
        // Four limbs at a time: a digit is below 2^15, so one 16-bit
        // multiply-add weighs the four digits of a limb by 1000, 100, 10, 1
        // (the upper halves of the 32-bit digits are zero), and two rounds of
        // interleaving add up the four weighted digits of four limbs.
        const __m128i weights = _mm_setr_epi16(1000, 0, 100, 0, 10, 0, 1, 0);
        for (; j + 4 <= whole; j += 4, out += 4 * Stride) {
            p -= 16;
            const __m128i w3 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), weights);
            const __m128i w2 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4)), weights);
            const __m128i w1 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), weights);
            const __m128i w0 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), weights);
            const __m128i s01 = _mm_add_epi32(_mm_unpacklo_epi32(w0, w1), _mm_unpackhi_epi32(w0, w1));
            const __m128i s23 = _mm_add_epi32(_mm_unpacklo_epi32(w2, w3), _mm_unpackhi_epi32(w2, w3));
            const __m128i limbs4 = _mm_add_epi32(_mm_unpacklo_epi64(s01, s23), _mm_unpackhi_epi64(s01, s23));
            const __m128d low = _mm_cvtepi32_pd(limbs4);
            const __m128d high = _mm_cvtepi32_pd(_mm_unpackhi_epi64(limbs4, limbs4));
            if constexpr (Stride == 1) {
                _mm_storeu_pd(out, low);
                _mm_storeu_pd(out + 2, high);
            } else {
                _mm_storel_pd(out, low);
                _mm_storeh_pd(out + Stride, low);
                _mm_storel_pd(out + 2 * Stride, high);
                _mm_storeh_pd(out + 3 * Stride, high);
            }
        }
#endif
        for (; j < whole; ++j, out += Stride) {
            p -= 4;
            out[0] = static_cast<double>(p[0] * 1000 + p[1] * 100 + p[2] * 10 + p[3]);
        }
        if (whole * 4 != n) {
            int32_t v = 0;
            for (int32_t k = 0; k < n - whole * 4; ++k)
                v = v * 10 + d[k];
            out[0] = static_cast<double>(v);
        }
        zeroFrom<Stride>(dst, limbs(), total);
    }
};


// The spectrum of a + i b in `spectrum` turned into the folded spectrum of the
// product a b in `half`. With Z' = conj(Z[N - k]) the operands' spectra are
// A = (Z + Z') / 2 and B = (Z - Z') / (2i). The product spectrum P = A B is
// that of a real sequence c, so half a transform takes it back:
// w[j] = c[2j] + i c[2j + 1] has the spectrum W[k] = E[k] + i O[k] with
// E = (P[k] + P[k + M]) / 2 and O = (P[k] - P[k + M]) exp(2 pi i k / N) / 2,
// M = N / 2. P[N - k] is conj(P[k]), so E and O at M - k are the conjugates
// of those at k: one pass over k <= M / 2 reads each spectrum value once and
// fills both halves. The halves of A and B, and the 1/M of the inverse
// transform, are folded into one scale.
void foldProduct(const Plan& p)
{
    const int32_t size = p.size;
    const int32_t m = size / 2;
    const fftw_complex* z = p.spectrum;
    fftw_complex* w = p.half;
    const double scale = 0.125 / m;
    // P at q and at q + M, from Z at q, N - q, q + M and M - q.
    const auto fold = [&](int32_t k, int32_t rk, double& er, double& ei, double& orr, double& oi) {
        double pr[2], pi[2];
        const int32_t q[2] = {k, k + m}, r[2] = {rk, m - k};
        for (int h = 0; h < 2; ++h) {
            const double zr = z[q[h]][0], zi = z[q[h]][1];
            const double cr = z[r[h]][0], ci = -z[r[h]][1]; // conj(Z[N - q])
            // 2A = Z + Z', 2B = (Im, -Re) of Z - Z'
            const double ar = zr + cr, ai = zi + ci;
            const double br = zi - ci, bi = cr - zr;
            pr[h] = ar * br - ai * bi;
            pi[h] = ar * bi + ai * br;
        }
        er = pr[0] + pr[1];
        ei = pi[0] + pi[1];
        const double dr = pr[0] - pr[1], di = pi[0] - pi[1];
        const double tr = p.turn[k][0], ti = p.turn[k][1];
        orr = dr * tr - di * ti;
        oi = dr * ti + di * tr;
    };
    double er, ei, orr, oi;
    fold(0, 0, er, ei, orr, oi);
    w[0][0] = (er - oi) * scale;
    w[0][1] = (ei + orr) * scale;
    int32_t k = 1;
    for (; 2 * k < m; ++k) {
        fold(k, size - k, er, ei, orr, oi);
        w[k][0] = (er - oi) * scale;
        w[k][1] = (ei + orr) * scale;
        w[m - k][0] = (er + oi) * scale;
        w[m - k][1] = (orr - ei) * scale;
    }
    if (2 * k == m) {
        fold(k, size - k, er, ei, orr, oi);
        w[k][0] = (er - oi) * scale;
        w[k][1] = (ei + orr) * scale;
    }
}

// The half-length spectrum W of w[j] = a[2j] + i a[2j + 1] in `half`
// replaced, in place, by the folded spectrum of a * a. With
// E = (W[k] + conj W[M - k]) / 2 and D = (W[k] - conj W[M - k]) / (2i) the
// spectrum of a is A[k] = E + D t', A[k + M] = E - D t', t' = exp(-2 pi i k / N);
// folding P = A^2 as above gives (E^2 + D^2 t'^2 + 2i E D) / M. At M - k, E
// and D are the conjugates of those at k, and so is t'^2.
void foldSquare(const Plan& p)
{
    const int32_t m = p.size / 2;
    fftw_complex* w = p.half;
    const double scale = 1.0 / m;
    for (int32_t k = 0; k <= m / 2; ++k) {
        const int32_t j = k == 0 ? 0 : m - k;
        const double ur = w[k][0], ui = w[k][1];
        const double vr = w[j][0], vi = -w[j][1]; // conj(W[M - k])
        const double er = 0.5 * (ur + vr), ei = 0.5 * (ui + vi);
        const double dr = 0.5 * (ui - vi), di = -0.5 * (ur - vr);
        const double tr = p.turn[k][0], ti = p.turn[k][1];
        const double sr = tr * tr - ti * ti, si = -2.0 * tr * ti; // t'^2
        const double d2r = dr * dr - di * di, d2i = 2.0 * dr * di;
        const double xr = er * er - ei * ei + d2r * sr - d2i * si;
        const double xi = 2.0 * er * ei + d2r * si + d2i * sr;
        const double yr = er * dr - ei * di, yi = er * di + ei * dr;
        // X + 2i Y at k, conj(X) + 2i conj(Y) at M - k.
        w[k][0] = (xr - 2.0 * yi) * scale;
        w[k][1] = (xi + 2.0 * yr) * scale;
        if (j != k) {
            w[j][0] = (xr + 2.0 * yi) * scale;
            w[j][1] = (-xi + 2.0 * yr) * scale;
        }
    }
}

// A column rounded to the nearest integer; its distance from it raises
// `worst`. A zero column may come out a hair below zero.
inline uint64_t roundColumn(double v, double& worst)
{
    const int64_t rounded = static_cast<int64_t>(v + 0.5);
    const double e = fabs(v - static_cast<double>(rounded));
    worst = e > worst ? e : worst;
    return static_cast<uint64_t>(rounded < 0 ? 0 : rounded);
}

// Rounds the `columns` columns in `column` (c[0], c[1], ... in a row), carries
// them into base-10000 limbs and returns the largest distance of a column
// from its nearest integer. Columns are taken in pairs, as one base-10^8
// step: a column is at most 2^20 * 9999^2, below 2^47, so a pair with its
// carry stays below 2^64, and the carry chain that runs through all columns
// holds one division per two columns instead of one per column.
double carryColumns(const double* column, int32_t columns, uint32_t* product)
{
    constexpr uint64_t kPairBase = uint64_t{kBase} * kBase;
    double worst = 0.0;
    uint64_t carry = 0;
    int32_t k = 0;
    for (; k + 1 < columns; k += 2) {
        const uint64_t low = roundColumn(column[k], worst);
        const uint64_t high = roundColumn(column[k + 1], worst);
        const uint64_t sum = low + high * kBase + carry;
        carry = sum / kPairBase;
        const uint32_t pair = static_cast<uint32_t>(sum - carry * kPairBase);
        const uint32_t upper = pair / kBase;
        product[k] = pair - upper * kBase;
        product[k + 1] = upper;
    }
    if (k < columns) {
        const uint64_t sum = roundColumn(column[k], worst) + carry;
        carry = sum / kBase;
        product[k] = static_cast<uint32_t>(sum - carry * kBase);
    }
    // The product is below 10000^(na + nb): the rest fits one limb.
    product[columns] = static_cast<uint32_t>(carry);
    return worst;
}

// The transform for `columns` product columns: the first length that holds
// them all, or a shorter one that holds all but at most kMaxWrapColumns of
// them (and both operands), whose cyclic sums then carry the top columns on
// top of the lowest ones. Products of two equal lengths often need a few
// columns more than a length offers (two 10,268-digit operands: 5,133
// columns, 13 beyond 5,120, which took 6,144 points).
constexpr int32_t kMaxWrapColumns = 64;

int32_t wrappedTransformSize(int32_t columns, int32_t na, int32_t nb)
{
    const int32_t whole = transformSize(columns);
    int32_t least = columns - kMaxWrapColumns;
    least = least > na ? least : na;
    least = least > nb ? least : nb;
    const int32_t wrapped = transformSize(least);
    return wrapped < whole ? wrapped : whole;
}

// A cyclic convolution of `size` points holds c[k] + c[k + size] at k for
// the `wrap` columns beyond it. The lowest columns are few sums of few
// products: formed exactly here and taken off, they leave the top ones
// (moved to c[size + k]), with the wrapped sum's rounding error.
template <class Source>
void unwrapColumns(const Source& a, const Source& b, double* c, int32_t size, int32_t wrap)
{
    const int32_t na = a.limbs(), nb = b.limbs();
    for (int32_t k = 0; k < wrap; ++k) {
        uint64_t low = 0;
        for (int32_t i = k < nb ? 0 : k - nb + 1; i <= k && i < na; ++i)
            low += a.limb(i) * b.limb(k - i);
        const double exact = static_cast<double>(low);
        c[size + k] = c[k] - exact;
        c[k] = exact;
    }
}

template <class Source>
double multiply(const Source& a, const Source& b, uint32_t* product)
{
    const int32_t na = a.limbs();
    const int32_t nb = b.limbs();
    if (a.n < 1 || b.n < 1 || na > CONVMUL_MAX_LIMBS_10K || nb > CONVMUL_MAX_LIMBS_10K || !fftwReady())
        return -1.0;
    const int32_t columns = na + nb - 1;
    Plan* p = planFor(wrappedTransformSize(columns, na, nb));
    if (p == nullptr)
        return -1.0;
    const int32_t size = p->size;

    if (a.sameAs(b)) {
        if (p->halfForward == nullptr)
            p->halfForward = fftw.plan(size / 2, p->packed, p->half, FFTW_FORWARD, FFTW_ESTIMATE);
        if (p->halfForward == nullptr)
            return -1.0;
        double* w = &p->packed[0][0]; // the N real values, read in pairs
        a.template put<1>(w, size);
        fftw.execute(p->halfForward);
        foldSquare(*p);
    } else {
        double* z = &p->packed[0][0];
        a.template put<2>(z, size);
        b.template put<2>(z + 1, size);
        fftw.execute(p->forward);
        foldProduct(*p);
    }
    fftw.execute(p->backward);
    // The columns come back as N reals in a buffer of 2N: room for the
    // wrapped ones after them.
    double* c = &p->packed[0][0];
    if (columns > size)
        unwrapColumns(a, b, c, size, columns - size);
    return carryColumns(c, columns, product);
}

} // namespace

extern "C" __attribute__((visibility("default"))) double convmulMultiply10k(const uint32_t* a, int32_t na,
                                                                             const uint32_t* b, int32_t nb,
                                                                             uint32_t* product)
{
    return multiply(Limbs10k{a, na}, Limbs10k{b, nb}, product);
}

extern "C" __attribute__((visibility("default"))) double convmulMultiplyDigits(const int32_t* a, int32_t na,
                                                                                const int32_t* b, int32_t nb,
                                                                                uint32_t* product)
{
    if (na > 4 * CONVMUL_MAX_LIMBS_10K || nb > 4 * CONVMUL_MAX_LIMBS_10K)
        return -1.0;
    return multiply(Digits{a, na}, Digits{b, nb}, product);
}
