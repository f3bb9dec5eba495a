#include "funcs/gmp_integer.h"

#include <string>

namespace {

// Up to here the digits go in sixteen at a time by Horner's rule, which is
// quadratic in the length; longer inputs (a chain started on a long number,
// once per chain) go through GMP's text reader, which is subquadratic. The
// seed's 1,040 digits stay well below the switch.
constexpr int64_t kHornerMaxDigits = 2048;

} // namespace

void gmpFromDigits(mpz_t v, const int32_t* digits, int64_t count)
{
    if (count > kHornerMaxDigits) {
        std::string text(static_cast<size_t>(count), '0');
        for (int64_t i = 0; i < count; ++i)
            text[static_cast<size_t>(i)] = static_cast<char>('0' + digits[i]);
        mpz_set_str(v, text.c_str(), 10);
        return;
    }
    // At most count / 19 + 1 limbs; Horner's rule in place on them.
    mp_limb_t* limbs = mpz_limbs_write(v, static_cast<mp_size_t>(count / 19 + 2));
    mp_size_t size = 0;
    // The first block takes the odd digits, so the others have sixteen.
    int64_t i = 0;
    int64_t block = count % 16 == 0 ? 16 : count % 16;
    while (i < count) {
        mp_limb_t value = 0;
        mp_limb_t scale = 1;
        for (int64_t k = 0; k < block; ++k) {
            value = value * 10 + static_cast<mp_limb_t>(digits[i + k]);
            scale *= 10;
        }
        if (size == 0) {
            limbs[0] = value;
            size = value != 0 ? 1 : 0;
        } else {
            // limbs * scale + value: the product's top limb (below scale) and
            // the sum's carry (0 or 1) make one new limb.
            const mp_limb_t high = mpn_mul_1(limbs, limbs, size, scale) + mpn_add_1(limbs, limbs, size, value);
            if (high != 0)
                limbs[size++] = high;
        }
        i += block;
        block = 16;
    }
    mpz_limbs_finish(v, size);
}

std::vector<int32_t> digitsOfGmp(const mpz_t v)
{
    // mpn_get_str overwrites its input and wants room for the most digits
    // that many limbs can hold, plus one.
    const mp_size_t n = mpz_size(v);
    if (n == 0)
        return {0};
    std::vector<mp_limb_t> limbs(mpz_limbs_read(v), mpz_limbs_read(v) + n);
    std::vector<unsigned char> raw(static_cast<size_t>(n) * 20 + 2);
    const size_t length = mpn_get_str(raw.data(), 10, limbs.data(), n);
    size_t first = 0;
    while (first + 1 < length && raw[first] == 0)
        ++first;
    return std::vector<int32_t>(raw.begin() + static_cast<std::ptrdiff_t>(first),
                                raw.begin() + static_cast<std::ptrdiff_t>(length));
}

const mpz_t& PowerCache::power(int64_t k)
{
    for (Slot& s : slots_)
        if (s.k == k)
            return s.value.v;
    Slot& s = slots_[next_];
    next_ = (next_ + 1) % slots_.size();
    mpz_ui_pow_ui(s.value.v, base_, static_cast<unsigned long>(k));
    s.k = k;
    return s.value.v;
}
