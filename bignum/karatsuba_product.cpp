#include "bignum/karatsuba_product.h"

#include <algorithm>
#include <memory>

#include "bignum/limb_product.h"
#include "bignum/limb_square.h"
#include "bignum/thresholds.h"

namespace {

constexpr uint32_t kBase8 = 100000000;

// r[0 .. n) = a[0 .. n) + b[0 .. m) for m <= n (r may be a); returns the carry.
uint32_t addLimbs(uint32_t* r, const uint32_t* a, int32_t n, const uint32_t* b, int32_t m)
{
    uint32_t carry = 0;
    int32_t i = 0;
    for (; i < m; ++i) {
        uint32_t v = a[i] + b[i] + carry;
        carry = v >= kBase8 ? 1 : 0;
        r[i] = v - carry * kBase8;
    }
    for (; i < n; ++i) {
        uint32_t v = a[i] + carry;
        carry = v >= kBase8 ? 1 : 0;
        r[i] = v - carry * kBase8;
    }
    return carry;
}

// r[0 .. n) = a[0 .. n) - b[0 .. m) for m <= n (r may be a); returns the borrow.
uint32_t subtractLimbs(uint32_t* r, const uint32_t* a, int32_t n, const uint32_t* b, int32_t m)
{
    uint32_t borrow = 0;
    int32_t i = 0;
    for (; i < m; ++i) {
        const uint32_t take = b[i] + borrow;
        borrow = a[i] < take ? 1 : 0;
        r[i] = a[i] + borrow * kBase8 - take;
    }
    for (; i < n; ++i) {
        const uint32_t take = borrow;
        borrow = a[i] < take ? 1 : 0;
        r[i] = a[i] + borrow * kBase8 - take;
    }
    return borrow;
}

// True when a[0 .. n) >= b[0 .. m), m <= n.
bool notLess(const uint32_t* a, int32_t n, const uint32_t* b, int32_t m)
{
    for (int32_t i = n - 1; i >= m; --i)
        if (a[i] != 0)
            return true;
    for (int32_t i = m - 1; i >= 0; --i)
        if (a[i] != b[i])
            return a[i] > b[i];
    return true;
}

// |a[0 .. n) - b[0 .. m)| into r[0 .. n), m <= n; true when a >= b.
bool absoluteDifference(uint32_t* r, const uint32_t* a, int32_t n, const uint32_t* b, int32_t m)
{
    if (notLess(a, n, b, m)) {
        subtractLimbs(r, a, n, b, m);
        return true;
    }
    // b > a: b's limbs above m are zero in a's view, so b - a fits m limbs.
    subtractLimbs(r, b, m, a, m);
    std::fill(r + m, r + n, 0u);
    return false;
}

// Everything the recursion needs beside its output: limbs for the half sums
// and differences, and the schoolbook's column sums.
struct Scratch {
    uint32_t* limbs;
    uint64_t* columns;
};

void product(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out, Scratch s);

// x * x into out[0 .. 2n): with x = x0 + x1 B^h,
//   x^2 = x0^2 + (x0^2 + x1^2 - (x0 - x1)^2) B^h + x1^2 B^2h,
// three half-length squares, down to the schoolbook's square.
void square(const uint32_t* x, int32_t n, uint32_t* out, Scratch s)
{
    if (n < kKaratsubaMinLimbs) {
        limbSquareSchoolbookFrom(x, n, 0, out, s.columns);
        return;
    }
    const int32_t h = (n + 1) / 2;
    const int32_t total = 2 * n;
    square(x, h, out, s);
    square(x + h, n - h, out + 2 * h, s);
    uint32_t* dx = s.limbs;
    uint32_t* d = dx + h;
    uint32_t* middle = d + 2 * h; // 2h + 1 limbs
    absoluteDifference(dx, x, h, x + h, n - h);
    square(dx, h, d, Scratch{middle, s.columns});
    middle[2 * h] = addLimbs(middle, out, 2 * h, out + 2 * h, total - 2 * h);
    middle[2 * h] -= subtractLimbs(middle, middle, 2 * h, d, 2 * h);
    const int32_t span = std::min(2 * h + 1, total - h);
    addLimbs(out + h, out + h, total - h, middle, span);
}

// x (nx limbs) times y (ny limbs) for nx much longer than ny: slices of x as
// long as y, each product added in at its place.
void productInSlices(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out, Scratch s)
{
    uint32_t* piece = s.limbs;
    const Scratch inner{s.limbs + 2 * ny, s.columns};
    product(x, ny, y, ny, out, inner);
    for (int32_t at = ny; at < nx; at += ny) {
        const int32_t len = std::min(ny, nx - at);
        if (len >= ny)
            product(x + at, len, y, ny, piece, inner);
        else
            product(y, ny, x + at, len, piece, inner);
        // The low ny limbs overlap the top of what is already there; the
        // rest of the piece lands on limbs not written yet.
        uint32_t carry = addLimbs(out + at, out + at, ny, piece, ny);
        for (int32_t i = ny; i < ny + len; ++i) {
            const uint32_t v = piece[i] + carry;
            carry = v >= kBase8 ? 1 : 0;
            out[at + i] = v - carry * kBase8;
        }
    }
}

// x * y into out[0 .. nx + ny) for nx >= ny >= 1.
//
// With h = ceil(nx / 2), x = x0 + x1 B^h and y = y0 + y1 B^h:
//   x * y = x0 y0 + (x0 y1 + x1 y0) B^h + x1 y1 B^2h,
//   x0 y1 + x1 y0 = x0 y0 + x1 y1 + (x0 - x1)(y1 - y0).
// The differences are formed as magnitudes with a sign, so every piece stays
// within h limbs and no column ever exceeds the base.
void product(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out, Scratch s)
{
    if (x == y && nx == ny) {
        square(x, nx, out, s);
        return;
    }
    if (ny < kKaratsubaMinLimbs) {
        limbProductSchoolbook(x, nx, y, ny, out, s.columns);
        return;
    }
    const int32_t h = (nx + 1) / 2;
    if (ny <= h) {
        productInSlices(x, nx, y, ny, out, s);
        return;
    }
    const int32_t total = nx + ny;
    const uint32_t* x1 = x + h;
    const uint32_t* y1 = y + h;
    const int32_t nx1 = nx - h; // 1 <= ny1 <= nx1 <= h
    const int32_t ny1 = ny - h;
    product(x, h, y, h, out, s);
    product(x1, nx1, y1, ny1, out + 2 * h, s);

    uint32_t* dx = s.limbs;
    uint32_t* dy = dx + h;
    uint32_t* d = dy + h;
    uint32_t* middle = d + 2 * h; // 2h + 1 limbs
    const bool dxPositive = absoluteDifference(dx, x, h, x1, nx1);
    const bool dyPositive = absoluteDifference(dy, y, h, y1, ny1); // y0 - y1
    product(dx, h, dy, h, d, Scratch{middle, s.columns});

    // middle = x0 y0 + x1 y1 + (x0 - x1)(y1 - y0), never negative.
    middle[2 * h] = addLimbs(middle, out, 2 * h, out + 2 * h, total - 2 * h);
    if (dxPositive != dyPositive)
        middle[2 * h] += addLimbs(middle, middle, 2 * h, d, 2 * h);
    else
        middle[2 * h] -= subtractLimbs(middle, middle, 2 * h, d, 2 * h);

    // Added in at B^h; limbs of middle beyond the product's length are zero.
    const int32_t span = std::min(2 * h + 1, total - h);
    addLimbs(out + h, out + h, total - h, middle, span);
}

} // namespace

void limbProductKaratsuba(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out)
{
    if (nx < ny) {
        std::swap(x, y);
        std::swap(nx, ny);
    }
    if (ny <= 0) {
        std::fill(out, out + std::max(nx, 0), 0u);
        return;
    }
    // A level of length n holds 4h limbs (h = ceil(n / 2)) while the level
    // below runs, 6h + 1 at most, and a slice 2 ny: the sum over the levels
    // stays below 8 limbs per operand limb plus the rounding up of the halves.
    // Scratch is written before it is read: no need to clear it.
    const size_t total = static_cast<uint32_t>(nx + ny);
    const auto limbs = std::make_unique_for_overwrite<uint32_t[]>(8 * total + 256);
    const auto columns = std::make_unique_for_overwrite<uint64_t[]>(total);
    product(x, nx, y, ny, out, Scratch{limbs.get(), columns.get()});
}
