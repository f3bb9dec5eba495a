// quorra-cli: evaluates expressions as the "=" button does, without the window.
//
//   quorra-cli [-p TEXT] [--plain] [--timing] [--] [EXPR ...]
//
// -p TEXT    the precision box as typed (default empty: 32 digits)
// --plain    plain instead of scientific notation
// --timing   report the time of the costlier sub-functions (on stderr)
// --         ends the options; every other argument is an expression, also
//            one that starts with "-"
//
// Each result goes to stdout on a line of its own; a failed expression leaves
// an empty line there and its message on stderr. Without expressions, they
// are read from stdin, one per line. Exit status: 0, 1 when any expression
// failed, 2 for a usage error.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "evaluation_run.h"
#include "globals.h"
#include "startup.h"

namespace {

struct Options {
    std::string precisionText;
    bool plain = false;
    bool timing = false;
    std::vector<std::string> expressions;
};

bool parseArguments(int argc, char** argv, Options& options)
{
    bool optionsEnded = false;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (!optionsEnded) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            if (arg == "-p") {
                if (a + 1 >= argc) {
                    std::cerr << "quorra-cli: -p needs the precision text\n"
                              << "usage: quorra-cli [-p TEXT] [--plain] [--timing] [--] [EXPR ...]\n";
                    return false;
                }
                options.precisionText = argv[++a];
                continue;
            }
            if (arg == "--plain") {
                options.plain = true;
                continue;
            }
            if (arg == "--timing") {
                options.timing = true;
                continue;
            }
        }
        options.expressions.push_back(arg);
    }
    return true;
}

// Evaluates one expression; false when it failed.
bool evaluateOne(const std::string& expression, std::string& precisionText)
{
    const RunResult run = evaluationRun(expression, precisionText);
    // The window writes the cap back into its precision box; the next press
    // then reads "10000".
    if (run.precisionCapped)
        precisionText = "10000";
    std::cout << run.resultText << '\n' << std::flush;
    return run.ok;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseArguments(argc, argv, options))
        return 2;

    startUp();
    if (options.plain)
        scientificOutput = kFalse;
    if (options.timing)
        subFunctionTest = kTrue;

    bool allOk = true;
    std::string precisionText = options.precisionText;
    if (!options.expressions.empty()) {
        for (const std::string& expression : options.expressions)
            allOk = evaluateOne(expression, precisionText) && allOk;
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allOk = evaluateOne(line, precisionText) && allOk;
        }
    }
    return allOk ? 0 : 1;
}
