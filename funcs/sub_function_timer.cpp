#include "funcs/sub_function_timer.h"

#include <cstdio>

#include "bignum/globals.h"

SubFunctionTimer::SubFunctionTimer()
{
    if (subFunctionTest != kFalse) {
        owns_ = true;
        subFunctionTest = kFalse;
        start_ = std::chrono::steady_clock::now();
    }
}

SubFunctionTimer::~SubFunctionTimer() { release(); }

void SubFunctionTimer::release()
{
    if (owns_) {
        subFunctionTest = kTrue;
        owns_ = false;
    }
}

std::string SubFunctionTimer::elapsedText() const
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    return secondsText(elapsed.count());
}

void SubFunctionTimer::reportInMessage()
{
    if (!owns_)
        return;
    const std::string text = elapsedText();
    release();
    showMessage(text, MessageStyle::Plain);
}

void SubFunctionTimer::reportInCaption()
{
    if (!owns_)
        return;
    const std::string text = elapsedText();
    release();
    setCaption(std::string(kCaptionPrefix) + text);
}

std::string secondsText(double seconds)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", seconds);
    return std::string(buffer) + " 秒";
}
