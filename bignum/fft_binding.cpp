// The FFT branch of multiplication: the operands' digits go to libconvmul.so as
// four-digit limbs (three-digit ones for a library without the faster entry)
// and the limbs that come back are turned into digits again.

#include "bignum/fft_binding.h"
#include "bignum/fft_binding_testing.h"

#include <dlfcn.h>

#include <cstdio>

#include "bignum/exe_dir.h"
#include "bignum/globals.h"
#include "bignum/limb_product.h"

namespace {

constexpr const char* kLibraryFile = "libconvmul.so";

struct Binding {
    bool attempted = false;
    void* handle = nullptr;
    ConvmulMultiplyFn entry = nullptr;
    ConvmulMultiply10kFn fastEntry = nullptr;
    ConvmulMultiplyDigitsFn digitsEntry = nullptr;
    ConvmulRoundingErrorFn lastError = nullptr;
    std::string pathOverride;
};

Binding& binding()
{
    static Binding state;
    return state;
}

bool schoolbookForced = false;
bool fastEntryIgnored = false;

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
    // Optional: a library without it still serves through the entry above.
    state.fastEntry = reinterpret_cast<ConvmulMultiply10kFn>(dlsym(state.handle, CONVMUL_FAST_EXPORT_NAME));
    state.digitsEntry = reinterpret_cast<ConvmulMultiplyDigitsFn>(dlsym(state.handle, CONVMUL_DIGITS_EXPORT_NAME));
    state.lastError = reinterpret_cast<ConvmulRoundingErrorFn>(dlsym(state.handle, CONVMUL_ERROR_EXPORT_NAME));
    dlerror();
}

} // namespace

ConvmulMultiplyFn convmulEntry()
{
    if (!binding().attempted)
        bind();
    return binding().entry;
}

bool fftLibraryAvailable() { return !schoolbookForced && convmulEntry() != nullptr; }

ConvmulMultiply10kFn convmulFastEntry() { return convmulEntry() != nullptr ? binding().fastEntry : nullptr; }

ConvmulMultiplyDigitsFn convmulDigitsEntry() { return convmulEntry() != nullptr ? binding().digitsEntry : nullptr; }

void forceSchoolbookForTest(bool force) { schoolbookForced = force; }

void ignoreFastEntryForTest(bool ignore) { fastEntryIgnored = ignore; }

void resetConvmulBindingForTest(const std::string& path)
{
    Binding& state = binding();
    if (state.handle != nullptr)
        dlclose(state.handle);
    state = Binding{};
    state.pathOverride = path;
}

bool limbProductTransform(const int32_t* a, int32_t na, const int32_t* b, int32_t nb, ProductLimbs& out)
{
    if (schoolbookForced)
        return false;
    const ConvmulMultiplyFn multiply = convmulEntry();
    if (multiply == nullptr)
        return false;
    const ConvmulMultiplyDigitsFn fast = fastEntryIgnored ? nullptr : binding().digitsEntry;
    const int32_t la4 = (na + 3) / 4;
    const int32_t lb4 = (nb + 3) / 4;
    // Loading FFTW and planning cost about a millisecond and a half once per
    // run, which only pays in a run that forms many long products: until the
    // long products formed by the base-1000 transform add up to
    // kFastTransformAfterColumns columns, they stay there. Once FFTW is
    // loaded, shorter products are cheaper through it as well.
    static int64_t longColumns = 0;
    static bool fastInUse = false;
    const int32_t columns = la4 + lb4 - 1;
    const bool longEnough = columns >= kFastTransformMinColumns;
    if (longEnough && longColumns < kFastTransformAfterColumns)
        longColumns += columns;
    const bool viaFast =
        fastInUse ? columns >= kFastTransformLoadedMinColumns
                  : longEnough && longColumns >= kFastTransformAfterColumns;
    // Before FFTW is loaded, products up to about 10,000 x 10,000 digits are
    // formed exactly: Karatsuba's method costs the same there as the base-1000
    // transform but works in buffers the run already holds, while the
    // transform's arrays are fresh pages (about seventy for one such product,
    // each a page fault) and its twiddle table costs a few thousand sines.
    if (fast != nullptr && !viaFast && !fastInUse && columns <= kExactWarmUpMaxColumns)
        return false;
    if (fast != nullptr && viaFast) {
        // Digits go to the library as they are; it packs them into limbs.
        out.limbs.resize(static_cast<size_t>(la4 + lb4));
        out.digitsPerLimb = 4;
        const double roundingError = fast(a, na, b, nb, out.limbs.data());
        if (roundingError >= 0.0) {
            fastInUse = true;
            return roundingError <= kFftMaxRoundingError;
        }
        // Refused (FFTW missing): the base-1000 entry below still serves.
    }

    // The base-1000 entry takes its limbs most significant first and writes
    // the product over the first operand.
    int32_t la = (na + 2) / 3;
    const int32_t lb = (nb + 2) / 3;
    std::vector<uint32_t> lsf(static_cast<size_t>(la + lb));
    std::vector<int32_t> x(static_cast<size_t>(la + lb)), y(static_cast<size_t>(lb));
    digitsToLimbs<3>(a, na, lsf.data(), la);
    for (int32_t i = 0; i < la; ++i)
        x[static_cast<size_t>(i)] = static_cast<int32_t>(lsf[static_cast<size_t>(la - 1 - i)]);
    digitsToLimbs<3>(b, nb, lsf.data(), lb);
    for (int32_t i = 0; i < lb; ++i)
        y[static_cast<size_t>(i)] = static_cast<int32_t>(lsf[static_cast<size_t>(lb - 1 - i)]);
    if (multiply(x.data(), y.data(), &la, &lb) != 0)
        return false; // refused: beyond the library's arrays
    const ConvmulRoundingErrorFn lastError = binding().lastError;
    if (lastError != nullptr && lastError() > kFftMaxRoundingError)
        return false;
    const int32_t count = la + 1;
    out.limbs.resize(static_cast<size_t>(count));
    out.digitsPerLimb = 3;
    for (int32_t i = 0; i < count; ++i)
        out.limbs[static_cast<size_t>(i)] = static_cast<uint32_t>(x[static_cast<size_t>(count - 1 - i)]);
    return true;
}
