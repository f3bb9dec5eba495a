// Scoped changes of workPrecision: the precision in force on entry comes back
// on every way out, also the early returns after an error, so no function
// leaves its callers working at its own guard digits.
#pragma once

#include <cstdint>

#include "bignum/globals.h"

class WorkPrecisionGuard {
public:
    WorkPrecisionGuard() : saved_(workPrecision) {}
    ~WorkPrecisionGuard() { workPrecision = saved_; }
    WorkPrecisionGuard(const WorkPrecisionGuard&) = delete;
    WorkPrecisionGuard& operator=(const WorkPrecisionGuard&) = delete;

    // Guard digits on top of the entry precision.
    void raiseBy(int64_t extra) { setTo(int64_t{saved_} + extra); }
    // A precision of the caller's choosing, e.g. one step of a Newton chain.
    void setTo(int64_t digits) { workPrecision = static_cast<int32_t>(digits); }
    // Back to the entry precision before the end of the scope.
    void restore() { workPrecision = saved_; }

    // The precision in force on entry.
    int32_t entry() const { return saved_; }

private:
    int32_t saved_;
};

// The common case: guard digits for the whole scope.
class RaisedWorkPrecision : public WorkPrecisionGuard {
public:
    explicit RaisedWorkPrecision(int64_t extra) { raiseBy(extra); }
};
