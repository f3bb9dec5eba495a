#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include "expr/startup.h"

namespace {

// Counts instead of printing: millions of runs would flood the terminal.
class CountingPort : public MessagePort {
public:
    void showMessage(const std::string&, MessageStyle) override { ++count; }
    void setCaption(const std::string&) override {}
    int count = 0;
};

CountingPort port;

} // namespace

void startCoreForFuzzing()
{
    static const bool started = [] {
        setMessagePort(&port);
        startUp();
        return true;
    }();
    (void)started;
}

int messageCount() { return port.count; }
void resetMessageCount() { port.count = 0; }

void fuzzCheck(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
}
