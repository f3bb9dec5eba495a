// Guard digits for the length of a scope: workPrecision is raised on
// construction and put back on every way out, also the early returns after
// an error.
#pragma once

#include <cstdint>

#include "globals.h"

class RaisedWorkPrecision {
public:
    explicit RaisedWorkPrecision(int64_t extra) : saved_(workPrecision)
    {
        workPrecision = static_cast<int32_t>(workPrecision + extra);
    }
    ~RaisedWorkPrecision() { workPrecision = saved_; }
    RaisedWorkPrecision(const RaisedWorkPrecision&) = delete;
    RaisedWorkPrecision& operator=(const RaisedWorkPrecision&) = delete;

    // The precision in force before the raise.
    int32_t entry() const { return saved_; }

private:
    int32_t saved_;
};
