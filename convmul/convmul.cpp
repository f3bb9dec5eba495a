// libconvmul.so: exact product of two base-1000 limb strings by a floating-point
// cyclic convolution.
//
// The library is loaded by name into the calculator, so it depends on nothing
// but libc and libm: no C++ runtime types, no exceptions, no allocation. All
// work memory is static and the routine is not reentrant.
//
// How the product is formed:
//   - both operands go into one complex array, a in the real and b in the
//     imaginary parts, least significant limb first;
//   - a decimation-in-frequency transform leaves the spectrum in bit-reversed
//     order, where the partner of index k (the one holding N - k) is found
//     without reordering, so the two spectra are separated and multiplied in
//     place;
//   - the product of two real sequences is real, so its spectrum is folded to
//     half the length and a decimation-in-time inverse transform of that
//     length takes it back to natural order: no bit-reversal pass is needed
//     at all;
//   - the rounded real parts are carried in base 1000 with 64-bit arithmetic:
//     a column sum reaches min(na, nb) * 999^2, beyond 32 bits from about 4300
//     limbs on, and products at 16384 digits already need 5500 limbs.
// Twiddle factors come from a table filled once per size with directly
// computed sines and cosines; a recurrence would pile up rounding error over
// each stage, and rounding error is what limits exactness here.

#include "convmul/convmul.h"

#include <math.h>
#include <stdint.h>

namespace {

constexpr int32_t kMaxLimbs = CONVMUL_MAX_LIMBS;
// Largest transform: two operands of kMaxLimbs limbs have a product of
// 2 * kMaxLimbs limbs.
constexpr int32_t kMaxSize = 2 * kMaxLimbs;
constexpr int32_t kBase = 1000;

struct Complex {
    double re;
    double im;
};

// Operands, their spectra, the product spectrum and the convolution. A column
// of the convolution needs the transform to reach the product's length only
// (not twice the longer operand), so two operands of kMaxLimbs limbs fit.
Complex work[kMaxSize];
// twiddle[h + j] = exp(-i * pi * j / h) for j < h, h = 1, 2, 4, ..., kMaxSize / 2:
// one contiguous row per butterfly span, so every stage reads its factors in
// order.
Complex twiddle[kMaxSize];
// Largest span h whose row is filled (0: none yet).
int32_t twiddleSpanReady = 0;
// Product limbs, least significant first.
int32_t productLimbs[kMaxSize + 1];
// Largest distance of a column from the nearest integer in the last call.
double lastRoundingError = 0.0;

// cos and sin of pi * j / h for 0 <= j < h, evaluated on an angle reduced to
// [0, pi/4] so that the exact values (0, 1, sqrt(1/2)) come out exact and the
// symmetric ones equal.
Complex unitRoot(int32_t j, int32_t h)
{
    const bool secondQuadrant = 2 * j > h;
    const int32_t jj = secondQuadrant ? h - j : j; // angle in [0, pi/2]
    const bool upperOctant = 4 * jj > h;
    const double angle = upperOctant ? M_PI * (h - 2 * jj) / (2.0 * h) : M_PI * jj / h;
    const double c = cos(angle);
    const double s = sin(angle);
    Complex w;
    w.re = upperOctant ? s : c;
    w.im = upperOctant ? c : s;
    if (secondQuadrant)
        w.re = -w.re;
    return w;
}

void prepareTwiddles(int32_t size)
{
    for (int32_t h = twiddleSpanReady == 0 ? 1 : 2 * twiddleSpanReady; h <= size / 2; h *= 2) {
        for (int32_t j = 0; j < h; ++j) {
            const Complex w = unitRoot(j, h);
            twiddle[h + j].re = w.re;
            twiddle[h + j].im = -w.im;
        }
        twiddleSpanReady = h;
    }
}

inline Complex add(Complex x, Complex y) { return {x.re + y.re, x.im + y.im}; }
inline Complex sub(Complex x, Complex y) { return {x.re - y.re, x.im - y.im}; }
inline Complex mul(Complex x, Complex w) { return {x.re * w.re - x.im * w.im, x.re * w.im + x.im * w.re}; }
// x times the conjugate of w.
inline Complex mulConj(Complex x, Complex w) { return {x.re * w.re + x.im * w.im, x.im * w.re - x.re * w.im}; }

// Span-1 butterflies, shared by both directions (their twiddle is 1).
void unitSpanStage(Complex* x, int32_t size)
{
    for (int32_t k0 = 0; k0 + 1 < size; k0 += 2) {
        const Complex u = x[k0], v = x[k0 + 1];
        x[k0] = add(u, v);
        x[k0 + 1] = sub(u, v);
    }
}

// Forward transform, natural order in, bit-reversed order out. Two
// decimation-in-frequency stages (spans h and h/2) run per pass over the data,
// which halves the memory traffic of the plain radix-2 loop.
void forwardTransform(Complex* x, int32_t size)
{
    int32_t h = size / 2;
    for (; h >= 2; h /= 4) {
        const int32_t q = h / 2;
        const Complex* wh = twiddle + h;
        const Complex* wq = twiddle + q;
        for (int32_t k0 = 0; k0 < size; k0 += 2 * h) {
            Complex* x0 = x + k0;
            Complex* x1 = x0 + q;
            Complex* x2 = x0 + h;
            Complex* x3 = x2 + q;
            for (int32_t j = 0; j < q; ++j) {
                const Complex y0 = add(x0[j], x2[j]);
                const Complex y2 = mul(sub(x0[j], x2[j]), wh[j]);
                const Complex y1 = add(x1[j], x3[j]);
                const Complex y3 = mul(sub(x1[j], x3[j]), wh[j + q]);
                x0[j] = add(y0, y1);
                x1[j] = mul(sub(y0, y1), wq[j]);
                x2[j] = add(y2, y3);
                x3[j] = mul(sub(y2, y3), wq[j]);
            }
        }
    }
    if (h == 1)
        unitSpanStage(x, size);
}

// Inverse transform without the 1/size factor, bit-reversed order in, natural
// order out: the forward passes mirrored, with conjugate twiddles.
void inverseTransform(Complex* x, int32_t size)
{
    int32_t q = 1;
    // An odd number of stages leaves one span-1 stage outside the pairs.
    int32_t stages = 0;
    for (int32_t n = size; n > 1; n /= 2)
        ++stages;
    if (stages % 2 == 1) {
        unitSpanStage(x, size);
        q = 2;
    }
    for (; q < size; q *= 4) {
        const int32_t h = 2 * q;
        const Complex* wh = twiddle + h;
        const Complex* wq = twiddle + q;
        for (int32_t k0 = 0; k0 < size; k0 += 2 * h) {
            Complex* x0 = x + k0;
            Complex* x1 = x0 + q;
            Complex* x2 = x0 + h;
            Complex* x3 = x2 + q;
            for (int32_t j = 0; j < q; ++j) {
                const Complex t1 = mulConj(x1[j], wq[j]);
                const Complex y0 = add(x0[j], t1);
                const Complex y1 = sub(x0[j], t1);
                const Complex t3 = mulConj(x3[j], wq[j]);
                const Complex y2 = add(x2[j], t3);
                const Complex y3 = sub(x2[j], t3);
                const Complex t2 = mulConj(y2, wh[j]);
                x0[j] = add(y0, t2);
                x2[j] = sub(y0, t2);
                const Complex t4 = mulConj(y3, wh[j + q]);
                x1[j] = add(y1, t4);
                x3[j] = sub(y1, t4);
            }
        }
    }
}

// z holds, bit-reversed, the spectrum Z = A + iB of the packed operands. With
// Z' = conj(Z[N - k]) the two spectra are A = (Z + Z') / 2 and
// B = (Z - Z') / (2i), so A * B = (Z^2 - Z'^2) / (4i); the product of the real
// inputs is real, so the value at N - k is the conjugate. `scale` folds in the
// 1/size of the inverse transform.
void multiplySpectra(Complex* z, int32_t size, double scale)
{
    const double q = 0.25 * scale;
    // Indices 0 and N/2 (positions 0 and 1) are their own partners: A and B
    // are the real and imaginary parts.
    z[0].re = z[0].re * z[0].im * scale;
    z[0].im = 0.0;
    if (size >= 2) {
        z[1].re = z[1].re * z[1].im * scale;
        z[1].im = 0.0;
    }
    // Positions [s, 2s) hold a closed set of indices; position p pairs with
    // 3s - 1 - p.
    for (int32_t s = 2; s < size; s *= 2) {
        for (int32_t p = s, r = 2 * s - 1; p < r; ++p, --r) {
            const double ar = z[p].re, ai = z[p].im;
            const double br = z[r].re, bi = -z[r].im;
            // (a^2 - b^2) / (4i) = ((a - b)(a + b)) / (4i)
            const double sr = ar + br, si = ai + bi;
            const double dr = ar - br, di = ai - bi;
            const double pr = dr * sr - di * si;
            const double pi = dr * si + di * sr;
            z[p].re = pi * q;
            z[p].im = -pr * q;
            z[r].re = pi * q;
            z[r].im = pr * q;
        }
    }
}

// The product spectrum S (bit-reversed, already scaled by 1/size) belongs to a
// real sequence c, so half an inverse transform suffices: the sequence
// w[m] = c[2m] + i c[2m+1] has the spectrum
//   V[k] = (S[k] + S[k + M]) + i (S[k] - S[k + M]) exp(2 pi i k / size),
// M = size / 2. In bit-reversed order k and k + M sit side by side (positions
// 2q and 2q + 1, k the M-point bit reversal of q), so V is written to
// position q in the order the M-point inverse transform expects. Afterwards
// x[m] holds (c[2m], c[2m + 1]).
void foldRealSpectrum(Complex* x, int32_t size)
{
    const int32_t half = size / 2;
    const Complex* w = twiddle + half; // exp(-2 pi i k / size)
    int32_t k = 0;
    for (int32_t q = 0; q < half; ++q) {
        const Complex s0 = x[2 * q], s1 = x[2 * q + 1];
        const Complex e = add(s0, s1);
        const Complex d = mulConj(sub(s0, s1), w[k]);
        x[q].re = e.re - d.im;
        x[q].im = e.im + d.re;
        // Next k: q + 1 with its bits reversed.
        int32_t bit = half >> 1;
        while (k & bit) {
            k ^= bit;
            bit >>= 1;
        }
        k |= bit;
    }
    inverseTransform(x, half);
}

// Rounds one convolution column, adds the incoming carry and leaves the base-1000
// limb; returns the outgoing carry. Columns are non-negative, so adding one half
// and truncating rounds to nearest (the transform error stays far below one
// half, and its largest value is kept for the caller to check). A column
// reaches 65536 * 999^2 and a carry about a thousandth of that: 64 bits hold
// both with room to spare.
inline uint64_t settleColumn(double value, uint64_t carry, int32_t* limb)
{
    const int64_t rounded = static_cast<int64_t>(value + 0.5);
    const double distance = fabs(value - static_cast<double>(rounded));
    if (distance > lastRoundingError)
        lastRoundingError = distance;
    const uint64_t v = static_cast<uint64_t>(rounded < 0 ? 0 : rounded) + carry;
    *limb = static_cast<int32_t>(v % kBase);
    return v / kBase;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t multyplyFFT(int32_t* a, const int32_t* b, int32_t* na,
                                                                       const int32_t* nb)
{
    const int32_t lenA = *na;
    const int32_t lenB = *nb;
    if (lenA < 1 || lenB < 1 || lenA > kMaxLimbs || lenB > kMaxLimbs)
        return -1;

    // The cyclic convolution is exact once it is as long as the product's
    // lenA + lenB - 1 columns; no wrapped column can then be nonzero.
    const int32_t columns = lenA + lenB - 1;
    int32_t size = 1;
    while (size < columns)
        size *= 2;
    prepareTwiddles(size);

    for (int32_t j = 0; j < size; ++j) {
        work[j].re = j < lenA ? a[lenA - 1 - j] : 0.0;
        work[j].im = j < lenB ? b[lenB - 1 - j] : 0.0;
    }
    forwardTransform(work, size);
    multiplySpectra(work, size, 1.0 / size);
    // Now work[m] holds the columns 2m and 2m + 1 (a one-point transform is
    // its own inverse and already holds column 0 in work[0].re).
    if (size >= 2)
        foldRealSpectrum(work, size);

    uint64_t carry = 0;
    lastRoundingError = 0.0;
    for (int32_t l = 0; l < columns; l += 2) {
        carry = settleColumn(work[l / 2].re, carry, productLimbs + l);
        if (l + 1 < columns)
            carry = settleColumn(work[l / 2].im, carry, productLimbs + l + 1);
    }
    // The product is below 1000^(lenA + lenB), so what is left fits one limb.
    productLimbs[columns] = static_cast<int32_t>(carry);

    int32_t top = columns;
    while (top > 0 && productLimbs[top] == 0)
        --top;
    for (int32_t k = 0; k <= top; ++k)
        a[k] = productLimbs[top - k];
    *na = top;
    return 0;
}

extern "C" __attribute__((visibility("default"))) double convmulLastRoundingError(void) { return lastRoundingError; }
