// The two folds, each one pass over half a spectrum. Their arithmetic is as
// much as the transforms' own, so the main loops take neighbouring k side by
// side: two in the lanes of SSE2 registers (real parts in one register,
// imaginary parts in another), four in AVX2 ones where the processor has
// them (the fold of half spectra); the ends (k = 0, k = M / 2, the last few
// k) take the same steps one k at a time.

#include "convmul/product_fold.h"

#include "convmul/cpu_features.h"
#include "convmul/fold_vector_steps.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Product spectrum P at q from Z at q and at r = N - q (mod N): with
// Z' = conj(Z[r]), A = (Z + Z') / 2 and B = (Z - Z') / (2i); this gives
// 2A * 2B, with 2B taken as (Im, -Re) of Z - Z'.
inline void productAt(const double* z, int32_t q, int32_t r, double& pr, double& pi)
{
    const double zr = z[2 * q], zi = z[2 * q + 1];
    const double cr = z[2 * r], ci = z[2 * r + 1];
    const double ar = zr + cr, ai = zi - ci;
    const double br = zi + ci, bi = cr - zr;
    pr = ar * br - ai * bi;
    pi = ar * bi + ai * br;
}

#ifdef CONVMUL_FOUR_LANES
// The main loop of foldHalfSpectra for processors with AVX2 and FMA: k to
// k + 3 side by side, until the places of k and of M - k would meet; returns
// the first k left.
__attribute__((target("avx2,fma"))) int32_t foldHalvesFourAtATime(double* wa, const double* wb, int32_t m,
                                                                 const TurnTable& turn, double scale, int32_t k)
{
    const __m256d s = _mm256_set1_pd(scale);
    for (; 2 * (k + 3) < m; k += 4) {
        const int32_t j = m - k;
        __m256d aer, aei, adr, adi, ber, bei, bdr, bdi;
        fourHalves(wa, k, j, aer, aei, adr, adi);
        fourHalves(wb, k, j, ber, bei, bdr, bdi);
        const __m256d tr = _mm256_loadu_pd(turn.cosines + k), ti = _mm256_loadu_pd(turn.sines + k);
        const __m256d tri = _mm256_mul_pd(tr, ti);
        const __m256d sr = _mm256_fmsub_pd(tr, tr, _mm256_mul_pd(ti, ti));
        const __m256d si = _mm256_sub_pd(_mm256_setzero_pd(), _mm256_add_pd(tri, tri));
        const __m256d ddr = _mm256_fmsub_pd(adr, bdr, _mm256_mul_pd(adi, bdi));
        const __m256d ddi = _mm256_fmadd_pd(adr, bdi, _mm256_mul_pd(adi, bdr));
        const __m256d xr = _mm256_fnmadd_pd(ddi, si, _mm256_fmadd_pd(ddr, sr, _mm256_fnmadd_pd(aei, bei, _mm256_mul_pd(aer, ber))));
        const __m256d xi = _mm256_fmadd_pd(ddi, sr, _mm256_fmadd_pd(ddr, si, _mm256_fmadd_pd(aei, ber, _mm256_mul_pd(aer, bei))));
        const __m256d yr = _mm256_fnmadd_pd(adi, bei, _mm256_fmadd_pd(adr, ber, _mm256_fnmadd_pd(aei, bdi, _mm256_mul_pd(aer, bdr))));
        const __m256d yi = _mm256_fmadd_pd(adi, ber, _mm256_fmadd_pd(adr, bei, _mm256_fmadd_pd(aei, bdr, _mm256_mul_pd(aer, bdi))));
        storeFolded(wa, k, j, xr, xi, yr, yi, s);
    }
    return k;
}

#endif

} // namespace

// The spectrum of a + i b turned into the folded spectrum of the product a b.
// The product spectrum P = A B is that of a real sequence c, so half a
// transform takes it back: w[j] = c[2j] + i c[2j + 1] has the spectrum
// W[k] = E[k] + i O[k] with E = (P[k] + P[k + M]) / 2 and
// O = (P[k] - P[k + M]) exp(2 pi i k / N) / 2, M = N / 2. P[N - k] is
// conj(P[k]), so E and O at M - k are the conjugates of those at k: one pass
// over k <= M / 2 reads each spectrum value once and fills both halves. The
// halves of A and B and of E and O, and the 1/M of the inverse transform, are
// one scale.
CONVMUL_AVX2_CLONES void foldProduct(const double* z, double* w, int32_t size, const TurnTable& turn)
{
    const int32_t m = size / 2;
    const double scale = 0.125 / m;
    const auto foldAt = [&](int32_t k) {
        double p0r, p0i, p1r, p1i;
        productAt(z, k, k == 0 ? 0 : size - k, p0r, p0i);
        productAt(z, k + m, m - k, p1r, p1i);
        const double er = p0r + p1r, ei = p0i + p1i;
        const double dr = p0r - p1r, di = p0i - p1i;
        const double tr = turn.cosines[k], ti = turn.sines[k];
        const double orr = dr * tr - di * ti, oi = dr * ti + di * tr;
        w[2 * k] = (er - oi) * scale;
        w[2 * k + 1] = (ei + orr) * scale;
        if (k != 0 && 2 * k != m) {
            w[2 * (m - k)] = (er + oi) * scale;
            w[2 * (m - k) + 1] = (orr - ei) * scale;
        }
    };
    foldAt(0);
    int32_t k = 1;
#ifdef __SSE2__
    // k and k + 1 side by side; the partners N - k, M - k and the outputs at
    // M - k run downwards, so their pairs are loaded and stored in reverse.
    const __m128d s = _mm_set1_pd(scale);
    const auto lanes = [](const double* lane0, const double* lane1, __m128d& re, __m128d& im) {
        const __m128d x = _mm_load_pd(lane0), y = _mm_load_pd(lane1);
        re = _mm_unpacklo_pd(x, y);
        im = _mm_unpackhi_pd(x, y);
    };
    const auto product = [](__m128d zr, __m128d zi, __m128d cr, __m128d ci, __m128d& pr, __m128d& pi) {
        const __m128d ar = _mm_add_pd(zr, cr), ai = _mm_sub_pd(zi, ci);
        const __m128d br = _mm_add_pd(zi, ci), bi = _mm_sub_pd(cr, zr);
        pr = _mm_sub_pd(_mm_mul_pd(ar, br), _mm_mul_pd(ai, bi));
        pi = _mm_add_pd(_mm_mul_pd(ar, bi), _mm_mul_pd(ai, br));
    };
    for (; 2 * (k + 1) < m; k += 2) {
        __m128d zr, zi, cr, ci, p0r, p0i, p1r, p1i;
        lanes(z + 2 * k, z + 2 * k + 2, zr, zi);
        lanes(z + 2 * (size - k), z + 2 * (size - k - 1), cr, ci);
        product(zr, zi, cr, ci, p0r, p0i);
        lanes(z + 2 * (k + m), z + 2 * (k + m + 1), zr, zi);
        lanes(z + 2 * (m - k), z + 2 * (m - k - 1), cr, ci);
        product(zr, zi, cr, ci, p1r, p1i);
        const __m128d er = _mm_add_pd(p0r, p1r), ei = _mm_add_pd(p0i, p1i);
        const __m128d dr = _mm_sub_pd(p0r, p1r), di = _mm_sub_pd(p0i, p1i);
        const __m128d tr = _mm_loadu_pd(turn.cosines + k), ti = _mm_loadu_pd(turn.sines + k);
        const __m128d orr = _mm_sub_pd(_mm_mul_pd(dr, tr), _mm_mul_pd(di, ti));
        const __m128d oi = _mm_add_pd(_mm_mul_pd(dr, ti), _mm_mul_pd(di, tr));
        const __m128d lowRe = _mm_mul_pd(_mm_sub_pd(er, oi), s), lowIm = _mm_mul_pd(_mm_add_pd(ei, orr), s);
        const __m128d highRe = _mm_mul_pd(_mm_add_pd(er, oi), s), highIm = _mm_mul_pd(_mm_sub_pd(orr, ei), s);
        _mm_store_pd(w + 2 * k, _mm_unpacklo_pd(lowRe, lowIm));
        _mm_store_pd(w + 2 * k + 2, _mm_unpackhi_pd(lowRe, lowIm));
        _mm_store_pd(w + 2 * (m - k), _mm_unpacklo_pd(highRe, highIm));
        _mm_store_pd(w + 2 * (m - k - 1), _mm_unpackhi_pd(highRe, highIm));
    }
#endif
    for (; 2 * k <= m; ++k)
        foldAt(k);
}

// The half-length spectra Wa, Wb of w[j] = a[2j] + i a[2j + 1] and of the
// same for b turned into the folded spectrum of a * b. With
// E = (W[k] + conj W[M - k]) / 2 and D = (W[k] - conj W[M - k]) / (2i) the
// spectrum of a is A[k] = E + D t', A[k + M] = E - D t', t' = exp(-2 pi i k / N),
// and the same for b; folding P = A B as above gives
// (Ea Eb + Da Db t'^2 + i (Ea Db + Da Eb)) / M. At M - k, E and D are the
// conjugates of those at k, and so is t'^2. E and D are formed doubled, their
// halves going into the scale with the 1/M. Each k reads and writes only
// places k and M - k, so `wa` is overwritten in place and `wb` may be `wa`.
CONVMUL_AVX2_CLONES void foldHalfSpectra(double* wa, const double* wb, int32_t size, const TurnTable& turn)
{
    const int32_t m = size / 2;
    const double scale = 0.25 / m;
    const auto foldAt = [&](int32_t k) {
        const int32_t j = k == 0 ? 0 : m - k;
        // W[k] and W[M - k], stored exchanged: E doubled is (ur + vr, ui - vi),
        // D doubled (ui + vi, vr - ur).
        const double aer = wa[2 * k + 1] + wa[2 * j + 1], aei = wa[2 * k] - wa[2 * j];
        const double adr = wa[2 * k] + wa[2 * j], adi = wa[2 * j + 1] - wa[2 * k + 1];
        const double ber = wb[2 * k + 1] + wb[2 * j + 1], bei = wb[2 * k] - wb[2 * j];
        const double bdr = wb[2 * k] + wb[2 * j], bdi = wb[2 * j + 1] - wb[2 * k + 1];
        const double tr = turn.cosines[k], ti = turn.sines[k];
        const double sr = tr * tr - ti * ti, si = -2.0 * tr * ti; // t'^2
        const double ddr = adr * bdr - adi * bdi, ddi = adr * bdi + adi * bdr;
        const double xr = aer * ber - aei * bei + ddr * sr - ddi * si;
        const double xi = aer * bei + aei * ber + ddr * si + ddi * sr;
        const double yr = aer * bdr - aei * bdi + adr * ber - adi * bei;
        const double yi = aer * bdi + aei * bdr + adr * bei + adi * ber;
        // X + i Y at k, conj(X) + i conj(Y) at M - k.
        wa[2 * k] = (xr - yi) * scale;
        wa[2 * k + 1] = (xi + yr) * scale;
        if (j != k) {
            wa[2 * j] = (xr + yi) * scale;
            wa[2 * j + 1] = (yr - xi) * scale;
        }
    };
    foldAt(0);
    int32_t k = 1;
#ifdef CONVMUL_FOUR_LANES
    if (fourLanesUsable())
        k = foldHalvesFourAtATime(wa, wb, m, turn, scale, k);
#endif
#ifdef __SSE2__
    const __m128d s = _mm_set1_pd(scale);
    for (; 2 * (k + 1) < m; k += 2) {
        const int32_t j = m - k;
        __m128d aer, aei, adr, adi, ber, bei, bdr, bdi;
        twoHalves(wa, k, j, aer, aei, adr, adi);
        twoHalves(wb, k, j, ber, bei, bdr, bdi);
        const __m128d tr = _mm_loadu_pd(turn.cosines + k), ti = _mm_loadu_pd(turn.sines + k);
        const __m128d tri = _mm_mul_pd(tr, ti);
        const __m128d sr = _mm_sub_pd(_mm_mul_pd(tr, tr), _mm_mul_pd(ti, ti));
        const __m128d si = _mm_sub_pd(_mm_setzero_pd(), _mm_add_pd(tri, tri));
        const __m128d ddr = _mm_sub_pd(_mm_mul_pd(adr, bdr), _mm_mul_pd(adi, bdi));
        const __m128d ddi = _mm_add_pd(_mm_mul_pd(adr, bdi), _mm_mul_pd(adi, bdr));
        const __m128d xr = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(aer, ber), _mm_mul_pd(aei, bei)),
                                      _mm_sub_pd(_mm_mul_pd(ddr, sr), _mm_mul_pd(ddi, si)));
        const __m128d xi = _mm_add_pd(_mm_add_pd(_mm_mul_pd(aer, bei), _mm_mul_pd(aei, ber)),
                                      _mm_add_pd(_mm_mul_pd(ddr, si), _mm_mul_pd(ddi, sr)));
        const __m128d yr = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(aer, bdr), _mm_mul_pd(aei, bdi)),
                                      _mm_sub_pd(_mm_mul_pd(adr, ber), _mm_mul_pd(adi, bei)));
        const __m128d yi = _mm_add_pd(_mm_add_pd(_mm_mul_pd(aer, bdi), _mm_mul_pd(aei, bdr)),
                                      _mm_add_pd(_mm_mul_pd(adr, bei), _mm_mul_pd(adi, ber)));
        storeFoldedTwo(wa, k, j, xr, xi, yr, yi, s);
    }
#endif
    for (; 2 * k <= m; ++k)
        foldAt(k);
}
