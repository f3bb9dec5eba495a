#include "funcs/factorial_product.h"

#include "bignum/globals.h"
#include "funcs/precision_cut.h"
#include "bignum/stop_request.h"

namespace {

constexpr uint32_t kAccumulatorBase = kLimbBase;

// Every multiplier stays at or below kPackedFactorBound: packed products by
// construction, single factors because the arguments are capped.
static_assert(kMaxFactorialArgument <= kPackedFactorBound && kExactPackedFactorBound <= kPackedFactorBound);
static_assert((kAccumulatorBase - 1) * static_cast<uint64_t>(kPackedFactorBound) + kPackedFactorBound < (uint64_t{1} << 32));

// Base-10000 integer, least significant limb first.
class Accumulator {
public:
    Accumulator() { reset(); }

    void reset()
    {
        limbs_.clear();
        limbs_.reserve(static_cast<size_t>(kFactorialFlushLimbs) + 4);
        limbs_.push_back(1);
    }

    // c is at most kPackedFactorBound (the argument limits keep every single
    // factor below it), so limb * c + carry < 9999 * 100000 + 100000 stays
    // inside 32 bits.
    void multiplyBy(uint32_t c)
    {
        uint32_t carry = 0;
        for (int32_t& limb : limbs_) {
            const uint32_t v = static_cast<uint32_t>(limb) * c + carry;
            limb = static_cast<int32_t>(v % kAccumulatorBase);
            carry = v / kAccumulatorBase;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<int32_t>(carry % kAccumulatorBase));
            carry /= kAccumulatorBase;
        }
    }

    size_t size() const { return limbs_.size(); }

    // The value as a record with four digits per limb, most significant limb
    // first, and one zero fraction limb.
    BigNum toPiece() const
    {
        BigNum p;
        p.positive = kTrue;
        p.digitsPerLimb = 4;
        p.fracDigits = 4;
        p.limbCount = static_cast<int32_t>(limbs_.size()) + 1;
        p.store.assign(static_cast<size_t>(p.limbCount) + 4, 0);
        for (size_t i = 0; i < limbs_.size(); ++i)
            p.limb(static_cast<int32_t>(i) + 1) = limbs_[limbs_.size() - 1 - i];
        return p;
    }

private:
    std::vector<int32_t> limbs_;
};

// Next multiplier from k on: the last integer and integers from
// packBelow up stand alone; smaller ones are packed while the product stays
// at or below bound. Advances k past the integers taken.
uint32_t nextMultiplier(int64_t& k, int64_t n, int64_t step, int64_t bound, int64_t packBelow)
{
    if (k == n || k >= packBelow) {
        const int64_t c = k;
        k += step;
        return static_cast<uint32_t>(c);
    }
    int64_t c = 1;
    while (k <= n && c * k <= bound) {
        c *= k;
        k += step;
    }
    if (c == 1) { // a factor above the bound on its own
        c = k;
        k += step;
    }
    return static_cast<uint32_t>(c);
}

} // namespace

void joinByProductTree(std::vector<BigNum>& pieces, int32_t m)
{
    do {
        if (m % 2 == 1)
            ++m;
        m /= 2;
        for (int32_t j = 1; j <= m; ++j) {
            pieces[static_cast<size_t>(j)] = myMul(pieces[static_cast<size_t>(j)], pieces[static_cast<size_t>(j + m)]);
            pieces[static_cast<size_t>(j + m)] = bigOne;
        }
        if (errorFlag == -1)
            return;
    } while (m != 1);
}

std::vector<BigNum> directProductPieces(int64_t start, int64_t n, int64_t step)
{
    std::vector<BigNum> pieces(1);
    Accumulator acc;
    for (int64_t k = start; k <= n && !stopHere();) {
        acc.multiplyBy(nextMultiplier(k, n, step, kPackedFactorBound, kPackFactorsBelow));
        if (acc.size() >= static_cast<size_t>(kFactorialFlushLimbs)) {
            pieces.push_back(myTruncSig(myRegroup(acc.toPiece(), 1), workPrecision + 2));
            acc.reset();
        }
    }
    pieces.push_back(acc.toPiece());
    pieces.push_back(bigOne);
    return pieces;
}

BigNum directProduct(int64_t start, int64_t n, int64_t step)
{
    std::vector<BigNum> pieces = directProductPieces(start, n, step);
    joinByProductTree(pieces, static_cast<int32_t>(pieces.size()) - 2);
    return cutToWorkPrecision(pieces[1]);
}

BigNum exactFactorial(int64_t n)
{
    Accumulator acc;
    for (int64_t k = 1; k <= n;)
        acc.multiplyBy(nextMultiplier(k, n, 1, kExactPackedFactorBound, n + 1));
    return qslqwl(acc.toPiece());
}
