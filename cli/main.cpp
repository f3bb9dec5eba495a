// quorra-cli: evaluates expressions as the "=" button does, without the window.
//
//   quorra-cli [-p TEXT] [--plain] [--timing] [--] [EXPR ...]
//   quorra-cli --help | -h | --version
//
// -p TEXT    the precision box as typed (default empty: 32 digits)
// --plain    plain instead of scientific notation
// --timing   report the time of the costlier sub-functions (on stderr)
// --         ends the options; every other argument is an expression, also
//            one that starts with "-" (but "--" followed by letters is an
//            option, and an unknown one is a usage error)
//
// Each result goes to stdout on a line of its own; a failed expression leaves
// an empty line there and its message on stderr. Without expressions, they
// are read from stdin, one per line. Exit status: 0, 1 when any expression
// failed, 2 for a usage error.
#include <cstdio>
#include <string>
#include <vector>

#include "expr/evaluation_run.h"
#include "bignum/globals.h"
#include "expr/input_bounds.h"
#include "quorra_version.h"
#include "expr/startup.h"

namespace {

const char* const kUsageLine = "usage: quorra-cli [-p TEXT] [--plain] [--timing] [--] [EXPR ...]\n";

const char* const kHelpText =
    "Evaluates arithmetic expressions in decimal arbitrary precision (up to\n"
    "10000 significant digits), as the calculator window's \"=\" does.\n"
    "\n"
    "  -p TEXT      digits of the result, read like the window's precision box\n"
    "               (empty, 0 or no number: 32; at most 10000)\n"
    "  --plain      plain notation (123.0) instead of scientific (1.23E2)\n"
    "  --timing     report the time of the costlier sub-functions on stderr\n"
    "  --           end of options; every later argument is an expression\n"
    "  -h, --help   show this text\n"
    "  --version    show the version\n"
    "\n"
    "Arguments that start with \"-\" but are not options are expressions\n"
    "(quorra-cli -5, quorra-cli '-2^2'). Without expressions, one expression\n"
    "per line is read from stdin. Each result goes to stdout on a line of its\n"
    "own; a failed expression leaves an empty line and its message on stderr.\n"
    "Exit status: 0, 1 when an expression failed, 2 for a usage error.\n";

enum class Parse { Run, Exit, UsageError };

struct Options {
    std::string precisionText;
    bool plain = false;
    bool timing = false;
    std::vector<std::string> expressions;
};

Parse usageError(const std::string& problem)
{
    std::fprintf(stderr, "quorra-cli: %s\n%sTry 'quorra-cli --help'.\n", problem.c_str(), kUsageLine);
    return Parse::UsageError;
}

// "--" followed by a letter: a long option, never an expression (no
// expression starts with two minus signs and a name).
bool looksLikeLongOption(const std::string& arg)
{
    return arg.size() > 2 && arg[0] == '-' && arg[1] == '-' &&
           ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'));
}

Parse parseArguments(int argc, char** argv, Options& options)
{
    bool optionsEnded = false;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (!optionsEnded) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            if (arg == "--help" || arg == "-h") {
                std::printf("%s\n%s", kUsageLine, kHelpText);
                return Parse::Exit;
            }
            if (arg == "--version") {
                std::printf("quorra-cli %s\n", kQuorraVersion);
                return Parse::Exit;
            }
            if (arg == "-p") {
                if (a + 1 >= argc)
                    return usageError("-p needs the precision text");
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
            if (looksLikeLongOption(arg))
                return usageError("unknown option " + arg);
        }
        options.expressions.push_back(arg);
    }
    return Parse::Run;
}

// Evaluates one expression; false when it failed.
bool evaluateOne(const std::string& expression, std::string& precisionText)
{
    const RunResult run = evaluationRun(expression, precisionText);
    // The window writes the cap back into its precision box; the next press
    // then reads "10000".
    if (run.precisionCapped)
        precisionText = "10000";
    std::fwrite(run.resultText.data(), 1, run.resultText.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return run.ok;
}

// One line of the stream, except that a line longer than any expression the
// run accepts is kept only to one byte past that bound (the run then refuses
// it with its message): a line of a billion digits must not need its own
// size in memory before it can be refused. (stdio, not iostreams: the
// streams' locale set-up cost every call of quorra-cli some 50,000
// instructions before main.)
bool readExpressionLine(std::FILE* in, std::string& line)
{
    line.clear();
    bool readAny = false;
    for (int c = std::getc(in); c != EOF; c = std::getc(in)) {
        readAny = true;
        if (c == '\n')
            return true;
        if (line.size() <= kMaxExpressionBytes)
            line.push_back(static_cast<char>(c));
    }
    return readAny;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    switch (parseArguments(argc, argv, options)) {
    case Parse::Run:
        break;
    case Parse::Exit:
        return 0;
    case Parse::UsageError:
        return 2;
    }

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
        while (readExpressionLine(stdin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allOk = evaluateOne(line, precisionText) && allOk;
        }
    }
    return allOk ? 0 : 1;
}
