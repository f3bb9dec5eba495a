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
//     transform, so a square costs two half-length transforms, not three.
//     So does a product with an operand of the last product: its
//     half-length spectrum, split off the joint one when it came again, is
//     kept (convmul/operand_cache.h), and series multiply by the same
//     number again and again (at 10,000 digits 221 of the 225 products of
//     sin(1) share an operand with the product before, 1,268 of the 1,307 of
//     atan(0.5));
//   - transform lengths are 2^k or 5 * 2^k, and from 6,400 on also 7 * 2^k
//     or 25 * 2^k, the shortest of them to hold the product: the padding
//     (and the work on it) stays well below a whole half, and these are the
//     lengths whose FFTW_ESTIMATE plans cost no more than those of longer
//     lengths. Measured, instructions of one product's transforms
//     (forward N, backward N / 2): 4,096 points 139,000, 5,120 209,000,
//     6,144 389,000, 6,400 321,000, 7,168 334,000, 8,192 344,000, 12,288
//     916,000, 12,800 693,000, 16,384 757,000; 3 * 2^k lengths lose to the
//     next longer one from 6,144 on, nearly so below, as do 7 * 2^k and
//     25 * 2^k below 6,400;
//   - digit strings are packed into limbs straight in the transform's input,
//     and only the padding is zeroed; the pass that rounds the columns also
//     carries them and measures the rounding error (convmul/column_carry.cpp);
//   - FFTW is loaded by these entries on their first call, not linked:
//     loading it costs about a millisecond, which a run that never multiplies
//     long numbers should not pay, and the base-1000 entry works without it;
//   - plans are made once per length with FFTW_ESTIMATE and kept for the rest
//     of the run. A plan costs far more than one product (about 2 million
//     instructions for complex plans, tens of times that for real-input ones,
//     hence complex plans only), which is why the calculator sends only long
//     products here. Each length has its backward half-length plan and, once
//     it forms a product of two different operands, its forward plan; a
//     square runs through the backward plan too (a forward transform is a
//     backward one of the input with real and imaginary parts exchanged), so
//     it needs no plan of its own;
//   - all lengths share two work arrays (convmul/work_area.cpp): the plans
//     run on them with FFTW's new-array execute, which takes any arrays of
//     the alignment the plan was made with. Only the turn factors of the
//     folds are kept per length, a quarter of its length.

#include <dlfcn.h>
#include <fftw3.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "convmul/column_carry.h"
#include "convmul/convmul.h"
#include "convmul/cpu_features.h"
#include "convmul/kept_operand_fold.h"
#include "convmul/operand_cache.h"
#include "convmul/product_fold.h"
#include "convmul/work_area.h"

namespace {

// Four length classes per octave up to 2^22 give fewer plans than this.
constexpr int kMaxPlans = 96;

// The FFTW functions used, bound on the first call.
struct Fftw {
    bool attempted = false;
    fftw_plan (*plan)(int, fftw_complex*, fftw_complex*, int, unsigned) = nullptr;
    void (*execute)(const fftw_plan, fftw_complex*, fftw_complex*) = nullptr;
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
            fftw.execute = reinterpret_cast<void (*)(const fftw_plan, fftw_complex*, fftw_complex*)>(
                dlsym(handle, "fftw_execute_dft"));
            fftw.destroy = reinterpret_cast<void (*)(fftw_plan)>(dlsym(handle, "fftw_destroy_plan"));
        }
    }
    return fftw.plan != nullptr && fftw.execute != nullptr && fftw.destroy != nullptr;
}

fftw_complex* complexArray(double* values) { return reinterpret_cast<fftw_complex*>(values); }

// The turn factors of a length start this many cache lines past a 4096-byte
// boundary, apart from the work arrays' starts (see convmul/work_area.cpp on
// why the shifts).
constexpr size_t kTurnShiftBytes = 11 * 64;

struct Plan {
    int32_t size = 0;            // N, the transform length of the product
    // Every transform goes from one work array to the other: FFTW's
    // out-of-place plans are cheaper to make and, on lengths 3 * 2^k and
    // 5 * 2^k, to run (measured: 15 to 30 % fewer instructions) than in-place
    // ones.
    fftw_plan forward = nullptr;  // length N, made at the first product of two operands
    fftw_plan backward = nullptr; // length N / 2
    void* turnBlock = nullptr;    // the memory of `turn`
    TurnTable turn{};
};

Plan plans[kMaxPlans];
int planCount = 0;

// The transform length for `columns` columns (see the top of the file on
// the lengths).
int32_t transformSize(int32_t columns)
{
    constexpr int32_t kLongClassesFrom = 6400;
    int32_t best = 0;
    const int32_t odds[] = {1, 5, 7, 25};
    for (const int32_t odd : odds) {
        int32_t n = 2 * odd;
        while (n < columns)
            n *= 2;
        if ((odd == 1 || odd == 5 || n >= kLongClassesFrom) && (best == 0 || n < best))
            best = n;
    }
    return best;
}

Plan* planFor(int32_t size, const WorkArea& area)
{
    for (int i = 0; i < planCount; ++i)
        if (plans[i].size == size)
            return &plans[i];
    if (planCount == kMaxPlans)
        return nullptr;
    Plan& p = plans[planCount];
    const int32_t quarter = size / 4;
    const size_t count = static_cast<size_t>(quarter) + 2; // even, so the sines stay 16-byte aligned
    void* block = nullptr;
    if (posix_memalign(&block, 4096, 2 * count * sizeof(double) + kTurnShiftBytes) != 0)
        return nullptr;
    double* cosines = reinterpret_cast<double*>(static_cast<char*>(block) + kTurnShiftBytes);
    double* sines = cosines + count;
    for (int32_t k = 0; k <= quarter; ++k) {
        const double angle = 2.0 * M_PI * k / size;
        cosines[k] = cos(angle);
        sines[k] = sin(angle);
    }
    // FFTW_ESTIMATE plans leave the arrays alone, so they are made on the
    // work arrays as they are.
    p.backward = fftw.plan(size / 2, complexArray(area.first), complexArray(area.second), FFTW_BACKWARD, FFTW_ESTIMATE);
    if (p.backward == nullptr) {
        free(block);
        return nullptr;
    }
    p.turnBlock = block;
    p.turn = TurnTable{cosines, sines};
    p.size = size;
    ++planCount;
    return &p;
}

// The plans and buffers go when the library is unloaded: a caller that
// closes it and opens it again must not leave them behind unreachable.
__attribute__((destructor)) void releasePlans()
{
    for (Plan& p : plans) {
        const fftw_plan made[] = {p.forward, p.backward};
        for (fftw_plan plan : made)
            if (plan != nullptr)
                fftw.destroy(plan);
        free(p.turnBlock);
        p = Plan{};
    }
    planCount = 0;
    releaseWorkArea();
    releaseKeptSpectra();
}

// Zeros dst[Stride * j] for from <= j < to.
template <int Stride>
void zeroFrom(double* dst, int32_t from, int32_t to)
{
    if constexpr (Stride == 1) {
        if (to > from)
            memset(dst + from, 0, sizeof(double) * static_cast<size_t>(to - from));
    } else {
        for (int32_t j = from; j < to; ++j)
            dst[Stride * j] = 0.0;
    }
}

// Operand sources: each writes its `limbs()` limbs, least significant first,
// to dst[Stride * (j ^ Flip)] for limb j (Stride 2: the real or the imaginary
// parts of a complex array; Flip 1: neighbouring limbs exchanged, the real
// and imaginary parts of a complex array of pairs swapped).
struct Limbs10k {
    const uint32_t* v;
    int32_t n;
    int32_t limbs() const { return n; }
    uint64_t limb(int32_t j) const { return v[j]; }
    OperandBytes bytes() const { return {1, v, sizeof(*v) * static_cast<size_t>(n)}; }
    bool sameAs(const Limbs10k& o) const { return n == o.n && (v == o.v || memcmp(v, o.v, sizeof(*v) * static_cast<size_t>(n)) == 0); }
    template <int Stride, int Flip>
    void put(double* dst) const
    {
        for (int32_t j = 0; j < n; ++j)
            dst[Stride * (j ^ Flip)] = static_cast<double>(v[j]);
    }
};

#ifdef CONVMUL_FOUR_LANES
// Digits::put's main loop for one limb per double (Stride 1) on processors
// with AVX2: limbs j .. j + 7 from the 32 digits before `end` (limb j last)
// while `whole` limbs last; returns the first limb left. The multiply-add
// weighs the digits as in the SSE2 loop, two rounds of pairwise sums within
// the register halves leave the eight limbs in the order j + 1, j + 3, j + 5,
// j + 7, j, j + 2, j + 4, j + 6, and one permutation puts them in order.
template <int Flip>
__attribute__((target("avx2"))) int32_t putEightAtATime(const int32_t* end, int32_t whole, double* dst)
{
    const __m256i weights = _mm256_setr_epi16(1000, 0, 100, 0, 10, 0, 1, 0, 1000, 0, 100, 0, 10, 0, 1, 0);
    const __m256i order = _mm256_setr_epi32(4, 0, 5, 1, 6, 2, 7, 3);
    int32_t j = 0;
    for (; j + 8 <= whole; j += 8) {
        const int32_t* p = end - 4 * j - 32;
        const __m256i m0 = _mm256_madd_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), weights);
        const __m256i m1 = _mm256_madd_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 8)), weights);
        const __m256i m2 = _mm256_madd_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 16)), weights);
        const __m256i m3 = _mm256_madd_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 24)), weights);
        const __m256i limbs8 = _mm256_permutevar8x32_epi32(
            _mm256_hadd_epi32(_mm256_hadd_epi32(m3, m2), _mm256_hadd_epi32(m1, m0)), order);
        __m256d low = _mm256_cvtepi32_pd(_mm256_castsi256_si128(limbs8));
        __m256d high = _mm256_cvtepi32_pd(_mm256_extracti128_si256(limbs8, 1));
        if constexpr (Flip == 1) {
            low = _mm256_permute_pd(low, 0x5);
            high = _mm256_permute_pd(high, 0x5);
        }
        _mm256_storeu_pd(dst + j, low);
        _mm256_storeu_pd(dst + j + 4, high);
    }
    return j;
}
#endif

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
    OperandBytes bytes() const { return {2, d, sizeof(*d) * static_cast<size_t>(n)}; }
    bool sameAs(const Digits& o) const { return n == o.n && (d == o.d || memcmp(d, o.d, sizeof(*d) * static_cast<size_t>(n)) == 0); }
    template <int Stride, int Flip>
    void put(double* dst) const
    {
        const int32_t whole = n / 4;
        const int32_t* p = d + n;
        int32_t j = 0;
#ifdef CONVMUL_FOUR_LANES
        if constexpr (Stride == 1) {
            if (fourLanesUsable()) {
                j = putEightAtATime<Flip>(p, whole, dst);
                p -= 4 * j;
            }
        }
#endif
#ifdef __SSE2__
        // Four limbs at a time: a digit is below 2^15, so one 16-bit
        // multiply-add weighs the four digits of a limb by 1000, 100, 10, 1
        // (the upper halves of the 32-bit digits are zero), and two rounds of
        // interleaving add up the four weighted digits of four limbs.
        const __m128i weights = _mm_setr_epi16(1000, 0, 100, 0, 10, 0, 1, 0);
        for (; j + 4 <= whole; j += 4) {
            p -= 16;
            const __m128i w3 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), weights);
            const __m128i w2 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4)), weights);
            const __m128i w1 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), weights);
            const __m128i w0 = _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), weights);
            const __m128i s01 = _mm_add_epi32(_mm_unpacklo_epi32(w0, w1), _mm_unpackhi_epi32(w0, w1));
            const __m128i s23 = _mm_add_epi32(_mm_unpacklo_epi32(w2, w3), _mm_unpackhi_epi32(w2, w3));
            const __m128i limbs4 = _mm_add_epi32(_mm_unpacklo_epi64(s01, s23), _mm_unpackhi_epi64(s01, s23));
            __m128d low = _mm_cvtepi32_pd(limbs4);
            __m128d high = _mm_cvtepi32_pd(_mm_unpackhi_epi64(limbs4, limbs4));
            double* out = dst + Stride * j;
            if constexpr (Stride == 1) {
                if constexpr (Flip == 1) {
                    low = _mm_shuffle_pd(low, low, 1);
                    high = _mm_shuffle_pd(high, high, 1);
                }
                _mm_storeu_pd(out, low);
                _mm_storeu_pd(out + 2, high);
            } else {
                _mm_storel_pd(out + Stride * Flip, low);
                _mm_storeh_pd(out + Stride * (1 ^ Flip), low);
                _mm_storel_pd(out + Stride * (2 + Flip), high);
                _mm_storeh_pd(out + Stride * (3 ^ Flip), high);
            }
        }
#endif
        for (; j < whole; ++j) {
            p -= 4;
            dst[Stride * (j ^ Flip)] = static_cast<double>(p[0] * 1000 + p[1] * 100 + p[2] * 10 + p[3]);
        }
        if (whole * 4 != n) {
            int32_t v = 0;
            for (int32_t k = 0; k < n - whole * 4; ++k)
                v = v * 10 + d[k];
            dst[Stride * (j ^ Flip)] = static_cast<double>(v);
        }
    }
};

// The N real limbs of `x` read as N / 2 complex pairs, real and imaginary
// parts exchanged, in w[0 .. N): the backward plan then gives their forward
// spectrum (exchanged likewise, which the folds undo).
template <class Source>
void putPairs(const Source& x, double* w, int32_t size)
{
    const int32_t n = x.limbs();
    x.template put<1, 1>(w);
    const int32_t paired = (n + 1) & ~1;
    if (paired != n)
        w[n - 1] = 0.0; // the place of limb n, beside the last one
    zeroFrom<1>(w, paired, size);
}

// The transform for `columns` product columns: the first length that holds
// them all, or a shorter one that holds all but at most kMaxWrapColumns of
// them (and both operands), whose cyclic sums then carry the top columns on
// top of the lowest ones. Products of two equal lengths often need a few
// columns more than a length offers (two 10,268-digit operands: 5,133
// columns, 13 beyond 5,120, which took 6,400 points).
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

// The `columns` columns of a * b from the first N reals of c (in an array of
// 2N: room for the wrapped ones after them), carried into product.
template <class Source>
double unwrapAndCarry(const Source& a, const Source& b, double* c, int32_t size, int32_t columns, uint32_t* product)
{
    if (columns > size)
        unwrapColumns(a, b, c, size, columns - size);
    return carryColumns(c, columns, product);
}

template <class Source>
double multiply(const Source& a, const Source& b, uint32_t* product)
{
    const int32_t na = a.limbs();
    const int32_t nb = b.limbs();
    if (a.n < 1 || b.n < 1 || na > CONVMUL_MAX_LIMBS_10K || nb > CONVMUL_MAX_LIMBS_10K || !fftwReady())
        return -1.0;
    const int32_t columns = na + nb - 1;
    const int32_t size = wrappedTransformSize(columns, na, nb);
    WorkArea area;
    if (!workAreaFor(size, area))
        return -1.0;
    Plan* p = planFor(size, area);
    if (p == nullptr)
        return -1.0;

    // A square, or a product with one operand's spectrum kept: only the other
    // operand is transformed, at half length.
    const OperandBytes aBytes = a.bytes(), bBytes = b.bytes();
    const bool square = a.sameAs(b);
    const double* kept = square ? nullptr : keptSpectrum(bBytes, size);
    const Source* fresh = &a;
    if (!square && kept == nullptr) {
        kept = keptSpectrum(aBytes, size);
        fresh = &b;
    }
    if (square || kept != nullptr) {
        putPairs(*fresh, area.first, size);
        fftw.execute(p->backward, complexArray(area.first), complexArray(area.second));
        if (square)
            foldHalfSpectra(area.second, area.second, size, p->turn);
        else
            foldKeptSpectrum(area.second, kept, size);
        fftw.execute(p->backward, complexArray(area.second), complexArray(area.first));
        return unwrapAndCarry(a, b, area.first, size, columns, product);
    }

    if (p->forward == nullptr)
        p->forward = fftw.plan(size, complexArray(area.first), complexArray(area.second), FFTW_FORWARD, FFTW_ESTIMATE);
    if (p->forward == nullptr)
        return -1.0;
    double* z = area.first;
    a.template put<2, 0>(z);
    b.template put<2, 0>(z + 1);
    const int32_t shorter = na < nb ? na : nb, longer = na < nb ? nb : na;
    zeroFrom<2>(na < nb ? z : z + 1, shorter, longer);
    zeroFrom<1>(z, 2 * longer, 2 * size);
    fftw.execute(p->forward, complexArray(area.first), complexArray(area.second));
    // An operand of the last product again: its spectrum is kept for the
    // products to come.
    const bool aAgain = seenBefore(aBytes, size);
    if (aAgain || seenBefore(bBytes, size)) {
        double* room = keepSpectrum(aAgain ? aBytes : bBytes, aAgain ? bBytes : aBytes, size, keptSpectrumDoubles(size));
        if (room != nullptr)
            keepOperandSpectrum(area.second, size, p->turn, aAgain ? 0 : 1, room);
    } else {
        rememberOperands(aBytes, bBytes, size);
    }
    foldProduct(area.second, area.first, size, p->turn);
    fftw.execute(p->backward, complexArray(area.first), complexArray(area.second));
    return unwrapAndCarry(a, b, area.second, size, columns, product);
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
