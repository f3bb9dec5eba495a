// The FFT branch of multiplication: both operands go to libconvmul.so as
// three-digit limbs, and the limb string that comes back is turned into a
// scientific-form number again.

#include "fft_binding.h"

#include <dlfcn.h>

#include <cstdio>

#include "exe_dir.h"
#include "globals.h"

namespace {

constexpr const char* kLibraryFile = "libconvmul.so";

struct Binding {
    bool attempted = false;
    void* handle = nullptr;
    ConvmulMultiplyFn entry = nullptr;
    std::string pathOverride;
};

Binding& binding()
{
    static Binding state;
    return state;
}

bool schoolbookForced = false;

void reportUnavailable(const std::string& path, const char* reason)
{
    std::fprintf(stderr, "快速乘法库“%s”无法使用（%s），长数乘法改用普通算法：结果不变，但速度较慢。\n",
                 path.c_str(), reason != nullptr ? reason : "未知原因");
}

void bind()
{
    Binding& state = binding();
    state.attempted = true;
    const std::string path =
        state.pathOverride.empty() ? executableDirectory() + "/" + kLibraryFile : state.pathOverride;
    state.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (state.handle == nullptr) {
        reportUnavailable(path, dlerror());
        return;
    }
    dlerror();
    void* symbol = dlsym(state.handle, CONVMUL_EXPORT_NAME);
    if (symbol == nullptr) {
        reportUnavailable(path, dlerror());
        dlclose(state.handle);
        state.handle = nullptr;
        return;
    }
    state.entry = reinterpret_cast<ConvmulMultiplyFn>(symbol);
}

} // namespace

ConvmulMultiplyFn convmulEntry()
{
    if (!binding().attempted)
        bind();
    return binding().entry;
}

bool fftLibraryAvailable() { return !schoolbookForced && convmulEntry() != nullptr; }

void forceSchoolbookForTest(bool force) { schoolbookForced = force; }

void resetConvmulBindingForTest(const std::string& path)
{
    Binding& state = binding();
    if (state.handle != nullptr)
        dlclose(state.handle);
    state = Binding{};
    state.pathOverride = path;
}

BigNum myMulFFT(const BigNum& a, const BigNum& b)
{
    if (errorFlag == -1)
        return BigNum{};
    const int32_t keep = workPrecision + kGuardDigits;
    const BigNum x = myTruncSig(myRegroup(a, 1), keep);
    const BigNum y = myTruncSig(myRegroup(b, 1), keep);
    return mulFFTOfCut(x, y);
}

BigNum mulFFTOfCut(const BigNum& x, const BigNum& y)
{
    if (errorFlag == -1)
        return BigNum{};
    // Zero has no leading nonzero digit to anchor the mantissa product on.
    if (x.limb(1) == 0 || y.limb(1) == 0)
        return bigZero;
    const ConvmulMultiplyFn multiply = schoolbookForced ? nullptr : convmulEntry();
    if (multiply == nullptr)
        return myMulSchoolbook(x, y);

    // d.ddd... becomes 00d ddd ddd ...: one limb before the point, the
    // fraction padded to whole limbs.
    BigNum p = x;
    BigNum q = y;
    myPack(p, 3);
    myPack(q, 3);
    if (errorFlag == -1)
        return BigNum{};
    const int32_t na = p.limbCount;
    const int32_t nb = q.limbCount;
    // The library writes the product, at most na + nb limbs, over the first
    // operand.
    p.resizeLimbs(na + nb + 2);
    int32_t top = na;
    int32_t countB = nb;
    if (multiply(p.limbPtr(1), q.limbPtr(1), &top, &countB) != 0)
        return myMulSchoolbook(x, y); // refused: beyond the library's arrays

    // Both leading limbs are single nonzero digits, so the product limb string
    // read as "leading limb . rest" is the mantissa product, 1 .. 99.99...
    const int32_t productLimbs = top + 1;
    for (int32_t i = productLimbs + 1; i <= na + nb + 2; ++i)
        p.limb(i) = 0;
    const int32_t carry = p.limb(1) > 9 ? 1 : 0;
    p.limbCount = productLimbs;
    p.fracDigits = 3 * (productLimbs - 1);
    p.digitsPerLimb = 3;
    p.exponent = 0;
    myUnpack(p, 3);
    if (errorFlag == -1)
        return BigNum{};

    // Drop the leading zero digits of the leading limb and read the digits as
    // d.ddd..., the magnitude going into the exponent.
    p.fracDigits = p.limbCount - 1;
    p.positive = (x.isPositive() == y.isPositive()) ? kTrue : kFalse;
    if (!exponentFits(static_cast<int64_t>(x.exponent) + y.exponent + carry))
        return BigNum{};
    p.exponent = x.exponent + y.exponent + carry;
    return qslqwl(myTruncSig(std::move(p), workPrecision + kGuardDigits));
}
