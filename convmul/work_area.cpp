// One anonymous mapping holds both work arrays, laid out for the longest
// transform so far. A run forms products of several lengths (Newton steps,
// long times short); arrays of their own for each length would each be
// faulted in page by page, and on a virtual machine a first touch of a page
// costs as much as some tens of thousands of instructions. Grown with mremap,
// the mapping keeps the pages already touched, whatever address it moves to,
// and nothing is copied: the arrays hold nothing between products. The pages
// a growth adds are all touched by the next product, so they are mapped in
// at once (MADV_POPULATE_WRITE, in one system call: measured, half the time of
// touching them one by one on this kind of machine; kernels without it fall
// back to touching).

#include "convmul/work_area.h"

#include <stddef.h>
#include <sys/mman.h>

namespace {

constexpr size_t kPage = 4096;
constexpr size_t kComplexBytes = 2 * sizeof(double);
// The second array starts this many cache lines past a page boundary, the
// first one on it. Most lengths are multiples of a large power of two;
// without the shift, element k of one array shares its address bits below
// 4096 with element k of the other, and the processor takes every load after
// a store to such an address for a dependent one (measured: the passes over
// the arrays took longer than the transforms).
constexpr size_t kSecondShiftBytes = 3 * 64;

char* base = nullptr;
size_t mappedBytes = 0;
int32_t heldSize = 0;

size_t secondOffset(int32_t size)
{
    const size_t firstBytes = kComplexBytes * static_cast<size_t>(size);
    return (firstBytes + kPage - 1) / kPage * kPage + kSecondShiftBytes;
}

} // namespace

bool workAreaFor(int32_t size, WorkArea& area)
{
    if (size > heldSize) {
        const size_t bytes = secondOffset(size) + kComplexBytes * static_cast<size_t>(size);
        void* p = base == nullptr ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                  : mremap(base, mappedBytes, bytes, MREMAP_MAYMOVE);
        if (p == MAP_FAILED)
            return false;
        base = static_cast<char*>(p);
#ifdef MADV_POPULATE_WRITE
        const size_t held = (mappedBytes + kPage - 1) / kPage * kPage;
        if (bytes > held)
            madvise(base + held, bytes - held, MADV_POPULATE_WRITE);
#endif
        mappedBytes = bytes;
        heldSize = size;
    }
    area.first = reinterpret_cast<double*>(base);
    area.second = reinterpret_cast<double*>(base + secondOffset(heldSize));
    return true;
}

void releaseWorkArea()
{
    if (base != nullptr)
        munmap(base, mappedBytes);
    base = nullptr;
    mappedBytes = 0;
    heldSize = 0;
}
