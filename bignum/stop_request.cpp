#include "bignum/stop_request.h"

#include <atomic>

#include "bignum/globals.h"

namespace {
// Only a yes/no crosses threads; the arithmetic's own state stays with the
// thread that evaluates, so relaxed ordering is enough.
std::atomic<bool> stopFlag{false};
} // namespace

void requestStop() { stopFlag.store(true, std::memory_order_relaxed); }

void clearStopRequest() { stopFlag.store(false, std::memory_order_relaxed); }

bool stopRequested() { return stopFlag.load(std::memory_order_relaxed); }

bool stopHere()
{
    if (!stopRequested())
        return false;
    errorFlag = -1;
    return true;
}
