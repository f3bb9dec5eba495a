// Timing of the costlier routines when "子函数测试" is on. The outermost timed
// routine takes the switch for itself, so the routines it calls stay silent,
// and gives it back on every way out: construct a SubFunctionTimer at the top
// of the routine and call a report method only on the path that should report.
#pragma once

#include <chrono>
#include <string>

class SubFunctionTimer {
public:
    SubFunctionTimer();
    ~SubFunctionTimer(); // gives the switch back if this call took it
    SubFunctionTimer(const SubFunctionTimer&) = delete;
    SubFunctionTimer& operator=(const SubFunctionTimer&) = delete;

    // True when this call took the switch (it was on at entry).
    bool owns() const { return owns_; }
    // Gives the switch back and shows the elapsed time in a plain message box.
    void reportInMessage();
    // Gives the switch back and shows the elapsed time in the window caption.
    void reportInCaption();

private:
    std::string elapsedText() const;
    void release();

    bool owns_ = false;
    std::chrono::steady_clock::time_point start_;
};

// Seconds as the reports write them: the value and " 秒".
std::string secondsText(double seconds);
