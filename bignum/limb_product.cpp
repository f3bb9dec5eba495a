#include "limb_product.h"

#include <algorithm>

namespace {

constexpr uint64_t kBase8 = 100000000;
// Rows added to the column sums between two carry passes: a column below
// 10^8 plus 1024 products below 10^16 stays far inside 64 bits, whatever the
// operand lengths.
constexpr int32_t kRowsBetweenCarries = 1024;

void carryPass(uint64_t* column, int32_t count)
{
    uint64_t carry = 0;
    for (int32_t k = 0; k < count; ++k) {
        const uint64_t v = column[k] + carry;
        carry = v / kBase8;
        column[k] = v - carry * kBase8;
    }
}

} // namespace

void limbProductSchoolbook(const uint32_t* x, int32_t nx, const uint32_t* y, int32_t ny, uint32_t* out)
{
    // The longer operand runs in the inner loop, which the compiler vectorises.
    if (nx < ny) {
        std::swap(x, y);
        std::swap(nx, ny);
    }
    const int32_t total = nx + ny;
    std::vector<uint64_t> column(static_cast<size_t>(total), 0);
    for (int32_t i = 0; i < ny; ++i) {
        const uint64_t yi = y[i];
        if (yi != 0) {
            uint64_t* c = column.data() + i;
            for (int32_t j = 0; j < nx; ++j)
                c[j] += yi * static_cast<uint64_t>(x[j]);
        }
        if ((i + 1) % kRowsBetweenCarries == 0)
            carryPass(column.data(), total);
    }
    carryPass(column.data(), total);
    for (int32_t k = 0; k < total; ++k)
        out[k] = static_cast<uint32_t>(column[static_cast<size_t>(k)]);
}

void digitProductSchoolbook(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, std::vector<int32_t>& out)
{
    const int32_t la = (na + 7) / 8;
    const int32_t lb = (nb + 7) / 8;
    std::vector<uint32_t> limbs(static_cast<size_t>(2 * (la + lb)));
    uint32_t* x = limbs.data();
    uint32_t* y = x + la;
    uint32_t* p = y + lb;
    digitsToLimbs<8>(a, na, x, la);
    digitsToLimbs<8>(b, nb, y, lb);
    limbProductSchoolbook(x, la, y, lb, p);
    out.resize(static_cast<size_t>(8 * (la + lb)));
    limbsToDigits<8>(p, la + lb, out.data());
}
