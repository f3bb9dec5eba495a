// Scratch digits for the one-pass routines: a buffer per thread and per user
// (the Tag), grown as needed and never cleared, since its users write every
// digit they read back. Long runs call these routines thousands of times; a
// fresh zero-filled vector each time cost more than the pass itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// At least `digits` ints; valid until the next call with the same Tag on this
// thread.
template <class Tag>
int32_t* scratchDigits(int64_t digits)
{
    thread_local std::vector<int32_t> buffer;
    if (buffer.size() < static_cast<size_t>(digits))
        buffer.resize(static_cast<size_t>(digits));
    return buffer.data();
}
