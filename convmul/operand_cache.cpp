// Two slots, both refilled whenever a product finds neither operand's
// spectrum kept, the spectrum only for an operand that came again; an operand is recognised by its bytes, never by its
// address, as the caller's buffers are reused for other numbers.

#include "convmul/operand_cache.h"

#include <string.h>
#include <sys/mman.h>

namespace {

struct Slot {
    int kind = 0;
    int32_t size = 0; // 0: empty
    bool hasSpectrum = false;
    size_t bytes = 0;
    void* copy = nullptr;
    size_t copyRoom = 0;
    double* spectrum = nullptr;
    size_t spectrumRoom = 0; // doubles
};

Slot slots[2];

// At least `needed` bytes at *p, page-aligned, the old contents dropped. Its
// own mapping, with its pages mapped in at once: they are all written
// straight away (see convmul/work_area.cpp on what that saves).
bool room(void*& p, size_t& have, size_t needed)
{
    if (needed <= have)
        return true;
    if (p != nullptr)
        munmap(p, have);
    have = (needed + 4095) / 4096 * 4096;
    p = mmap(nullptr, have, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        p = nullptr;
        have = 0;
        return false;
    }
#ifdef MADV_POPULATE_WRITE
    madvise(p, have, MADV_POPULATE_WRITE);
#endif
    return true;
}

// The operand copied into `s`, and with `spectrum` room for its spectrum.
bool fill(Slot& s, const OperandBytes& operand, int32_t size, double** spectrum, int32_t doubles)
{
    s.size = 0;
    s.hasSpectrum = false;
    if (!room(s.copy, s.copyRoom, operand.bytes))
        return false;
    if (spectrum != nullptr) {
        void* block = s.spectrum;
        size_t blockBytes = s.spectrumRoom * sizeof(double);
        const bool ok = room(block, blockBytes, sizeof(double) * static_cast<size_t>(doubles));
        s.spectrum = static_cast<double*>(block);
        s.spectrumRoom = blockBytes / sizeof(double);
        if (!ok)
            return false;
        *spectrum = s.spectrum;
        s.hasSpectrum = true;
    }
    memcpy(s.copy, operand.data, operand.bytes);
    s.kind = operand.kind;
    s.bytes = operand.bytes;
    s.size = size;
    return true;
}

bool holds(const Slot& s, const OperandBytes& operand, int32_t size)
{
    return s.size == size && s.kind == operand.kind && s.bytes == operand.bytes &&
           memcmp(s.copy, operand.data, operand.bytes) == 0;
}

} // namespace

const double* keptSpectrum(const OperandBytes& operand, int32_t size)
{
    for (const Slot& s : slots)
        if (s.hasSpectrum && holds(s, operand, size))
            return s.spectrum;
    return nullptr;
}

bool seenBefore(const OperandBytes& operand, int32_t size)
{
    for (const Slot& s : slots)
        if (holds(s, operand, size))
            return true;
    return false;
}

void rememberOperands(const OperandBytes& a, const OperandBytes& b, int32_t size)
{
    if (!fill(slots[0], a, size, nullptr, 0) || !fill(slots[1], b, size, nullptr, 0))
        slots[0].size = 0;
}

double* keepSpectrum(const OperandBytes& repeated, const OperandBytes& other, int32_t size, int32_t doubles)
{
    double* spectrum = nullptr;
    if (fill(slots[0], repeated, size, &spectrum, doubles) && fill(slots[1], other, size, nullptr, 0))
        return spectrum;
    slots[0].size = 0;
    return nullptr;
}

void releaseKeptSpectra()
{
    for (Slot& s : slots) {
        if (s.copy != nullptr)
            munmap(s.copy, s.copyRoom);
        if (s.spectrum != nullptr)
            munmap(s.spectrum, s.spectrumRoom * sizeof(double));
        s = Slot{};
    }
}
