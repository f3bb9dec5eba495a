// What foldHalfSpectra derives from b's half spectrum at each k, E and D
// (doubled) and D t'^2, depends on b alone; a kept operand stores them,
// scaled for the backward transform, once: six arrays of the real and the
// imaginary parts for k = 0 .. N / 4, so that the fold loads those of k and
// k + 1 as one pair and does a third less arithmetic.

#include "convmul/kept_operand_fold.h"

#include "convmul/cpu_features.h"
#include "convmul/fold_vector_steps.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

template <class Double>
struct KeptArrays {
    Double *er, *ei, *dr, *di, *fr, *fi; // E, D, F = D t'^2
};

template <class Double>
KeptArrays<Double> arraysOf(Double* kept, int32_t size)
{
    const int32_t stride = size / 4 + 2;
    return {kept, kept + stride, kept + 2 * stride, kept + 3 * stride, kept + 4 * stride, kept + 5 * stride};
}

#ifdef CONVMUL_FOUR_LANES
// The main loop of foldKeptSpectrum for processors with AVX2 and FMA: k to
// k + 3 side by side, until the places of k and of M - k would meet; returns
// the first k left.
__attribute__((target("avx2,fma"))) int32_t foldFourAtATime(double* wa, const KeptArrays<const double>& b, int32_t m,
                                                           int32_t k)
{
    for (; 2 * (k + 3) < m; k += 4) {
        const int32_t j = m - k;
        __m256d aer, aei, adr, adi;
        fourHalves(wa, k, j, aer, aei, adr, adi);
        const __m256d ber = _mm256_loadu_pd(b.er + k), bei = _mm256_loadu_pd(b.ei + k);
        const __m256d bdr = _mm256_loadu_pd(b.dr + k), bdi = _mm256_loadu_pd(b.di + k);
        const __m256d bfr = _mm256_loadu_pd(b.fr + k), bfi = _mm256_loadu_pd(b.fi + k);
        const __m256d xr = _mm256_fnmadd_pd(adi, bfi, _mm256_fmadd_pd(adr, bfr, _mm256_fnmadd_pd(aei, bei, _mm256_mul_pd(aer, ber))));
        const __m256d xi = _mm256_fmadd_pd(adi, bfr, _mm256_fmadd_pd(adr, bfi, _mm256_fmadd_pd(aei, ber, _mm256_mul_pd(aer, bei))));
        const __m256d yr = _mm256_fnmadd_pd(adi, bei, _mm256_fmadd_pd(adr, ber, _mm256_fnmadd_pd(aei, bdi, _mm256_mul_pd(aer, bdr))));
        const __m256d yi = _mm256_fmadd_pd(adi, ber, _mm256_fmadd_pd(adr, bei, _mm256_fmadd_pd(aei, bdr, _mm256_mul_pd(aer, bdi))));
        // The kept arrays carry the backward transform's scale already.
        storeFolded(wa, k, j, xr, xi, yr, yi, _mm256_set1_pd(1.0));
    }
    return k;
}

#endif

} // namespace

int32_t keptSpectrumDoubles(int32_t size) { return 6 * (size / 4 + 2); }

// The operand's half spectrum W first, as splitting the joint spectrum gives
// it: with 2A = Z + Z', 2B = (Im, -Re) of Z - Z' (Z' = conj Z[N - q]) at
// q = k and k + M, W[k] = E + i O, E = (X[k] + X[k + M]) / 2,
// O = (X[k] - X[k + M]) t / 2, and W[M - k] = conj(E) + i conj(O) (t at
// M - k is -conj(t)); then the fold's E and D of W at k and M - k. Taken
// only when an operand comes again, so one k at a time.
void keepOperandSpectrum(const double* z, int32_t size, const TurnTable& turn, int operand, double* kept)
{
    const KeptArrays<double> out = arraysOf(kept, size);
    const int32_t m = size / 2;
    const double scale = 0.25 / m;
    for (int32_t k = 0; 2 * k <= m; ++k) {
        const int32_t q[2] = {k, k + m}, r[2] = {k == 0 ? 0 : size - k, m - k};
        double xr[2], xi[2]; // the operand's spectrum at k and k + M, doubled
        for (int h = 0; h < 2; ++h) {
            const double zr = z[2 * q[h]], zi = z[2 * q[h] + 1];
            const double cr = z[2 * r[h]], ci = z[2 * r[h] + 1];
            xr[h] = operand == 0 ? zr + cr : zi + ci;
            xi[h] = operand == 0 ? zi - ci : cr - zr;
        }
        const double tr = turn.cosines[k], ti = turn.sines[k];
        const double er = 0.25 * (xr[0] + xr[1]), ei = 0.25 * (xi[0] + xi[1]);
        const double dr = 0.25 * (xr[0] - xr[1]), di = 0.25 * (xi[0] - xi[1]);
        const double orr = dr * tr - di * ti, oi = dr * ti + di * tr;
        const double ur = er - oi, ui = ei + orr; // W[k]
        const bool alone = k == 0 || 2 * k == m;  // M - k is k itself
        const double vr = alone ? ur : er + oi, vi = alone ? ui : orr - ei; // W[M - k]
        const double fer = ur + vr, fei = ui - vi;
        const double fdr = ui + vi, fdi = vr - ur;
        const double sr = tr * tr - ti * ti, si = -2.0 * tr * ti; // t'^2
        out.er[k] = fer * scale;
        out.ei[k] = fei * scale;
        out.dr[k] = fdr * scale;
        out.di[k] = fdi * scale;
        out.fr[k] = (fdr * sr - fdi * si) * scale;
        out.fi[k] = (fdr * si + fdi * sr) * scale;
    }
}

void foldKeptSpectrum(double* wa, const double* kept, int32_t size)
{
    const KeptArrays<const double> b = arraysOf(kept, size);
    const int32_t m = size / 2;
    const auto foldAt = [&](int32_t k) {
        const int32_t j = k == 0 ? 0 : m - k;
        // W[k] and W[M - k], stored exchanged.
        const double aer = wa[2 * k + 1] + wa[2 * j + 1], aei = wa[2 * k] - wa[2 * j];
        const double adr = wa[2 * k] + wa[2 * j], adi = wa[2 * j + 1] - wa[2 * k + 1];
        const double xr = aer * b.er[k] - aei * b.ei[k] + adr * b.fr[k] - adi * b.fi[k];
        const double xi = aer * b.ei[k] + aei * b.er[k] + adr * b.fi[k] + adi * b.fr[k];
        const double yr = aer * b.dr[k] - aei * b.di[k] + adr * b.er[k] - adi * b.ei[k];
        const double yi = aer * b.di[k] + aei * b.dr[k] + adr * b.ei[k] + adi * b.er[k];
        wa[2 * k] = xr - yi;
        wa[2 * k + 1] = xi + yr;
        if (j != k) {
            wa[2 * j] = xr + yi;
            wa[2 * j + 1] = yr - xi;
        }
    };
    foldAt(0);
    int32_t k = 1;
#ifdef CONVMUL_FOUR_LANES
    if (fourLanesUsable())
        k = foldFourAtATime(wa, b, m, k);
#endif
#ifdef __SSE2__
    for (; 2 * (k + 1) < m; k += 2) {
        const int32_t j = m - k;
        __m128d aer, aei, adr, adi;
        twoHalves(wa, k, j, aer, aei, adr, adi);
        const __m128d ber = _mm_loadu_pd(b.er + k), bei = _mm_loadu_pd(b.ei + k);
        const __m128d bdr = _mm_loadu_pd(b.dr + k), bdi = _mm_loadu_pd(b.di + k);
        const __m128d bfr = _mm_loadu_pd(b.fr + k), bfi = _mm_loadu_pd(b.fi + k);
        const __m128d xr = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(aer, ber), _mm_mul_pd(aei, bei)),
                                      _mm_sub_pd(_mm_mul_pd(adr, bfr), _mm_mul_pd(adi, bfi)));
        const __m128d xi = _mm_add_pd(_mm_add_pd(_mm_mul_pd(aer, bei), _mm_mul_pd(aei, ber)),
                                      _mm_add_pd(_mm_mul_pd(adr, bfi), _mm_mul_pd(adi, bfr)));
        const __m128d yr = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(aer, bdr), _mm_mul_pd(aei, bdi)),
                                      _mm_sub_pd(_mm_mul_pd(adr, ber), _mm_mul_pd(adi, bei)));
        const __m128d yi = _mm_add_pd(_mm_add_pd(_mm_mul_pd(aer, bdi), _mm_mul_pd(aei, bdr)),
                                      _mm_add_pd(_mm_mul_pd(adr, bei), _mm_mul_pd(adi, ber)));
        // The kept arrays carry the backward transform's scale already.
        storeFoldedTwo(wa, k, j, xr, xi, yr, yi, _mm_set1_pd(1.0));
    }
#endif
    for (; 2 * k <= m; ++k)
        foldAt(k);
}
