// quorra-cli as a user runs it: arguments and stdin lines in, one result line
// per expression out, messages on stderr, the exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bignum/exe_dir.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string cliPath()
{
    const char* dir = std::getenv("QUORRA_BIN");
    // The build puts quorra-cli beside the test executables.
    return (dir != nullptr ? std::string(dir) : executableDirectory()) + "/quorra-cli";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs quorra-cli with args; input goes to its stdin (empty: /dev/null-like).
CliRun runCli(const std::vector<std::string>& args, const std::string& input = "")
{
    char dirTemplate[] = "/tmp/quorra-cli-test-XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    if (dir == nullptr)
        return {};
    const std::string inPath = std::string(dir) + "/in", outPath = std::string(dir) + "/out",
                      errPath = std::string(dir) + "/err";
    std::ofstream(inPath, std::ios::binary) << input;

    const std::string program = cliPath();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0)
            _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    CliRun run;
    int wstatus = 0;
    if (pid > 0 && waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
        run.status = WEXITSTATUS(wstatus);
    run.out = slurp(outPath);
    run.err = slurp(errPath);
    unlink(inPath.c_str());
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    rmdir(dir);
    return run;
}

TEST(Cli, ResultsOnePerLine)
{
    const CliRun run = runCli({"1+2", "2(3+4)", "1-2-3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "3.0\n1.4E1\n-4.0\n");
    EXPECT_EQ(run.err, "");
}

TEST(Cli, ArgumentsStartingWithMinusAreExpressions)
{
    const CliRun run = runCli({"-5", "-2*2", "--", "--plain", "-p"});
    EXPECT_EQ(run.out, "-5.0\n-4.0\n\n\n");
    EXPECT_EQ(run.status, 1); // "--plain" and "-p" after "--" are expressions, and fail
}

TEST(Cli, FailureLeavesAnEmptyLineAndItsMessage)
{
    const CliRun run = runCli({"1+2", "((1)", "2*3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "3.0\n\n6.0\n");
    EXPECT_EQ(run.err, "错误提示: 你的“（”和“）”不对称\r\n请检查一下\n");
}

TEST(Cli, Options)
{
    EXPECT_EQ(runCli({"--plain", "123*1"}).out, "123.0\n");
    EXPECT_EQ(runCli({"123*1"}).out, "1.23E2\n");
    EXPECT_EQ(runCli({"-p", "5", "1111111111*1"}).out, "1.11111E9\n");
    EXPECT_EQ(runCli({"1111111111*1", "-p", "2.5"}).out, "1.111E9\n"); // options anywhere
    const CliRun timing = runCli({"--timing", "1+2"});
    EXPECT_EQ(timing.status, 0);
    EXPECT_EQ(timing.out, "3.0\n");

    const CliRun usage = runCli({"1+2", "-p"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_NE(usage.err.find("-p"), std::string::npos);
}

// --help and --version answer and stop, before any expression is read; an
// unknown long option is a usage error, while "--" still lets anything
// through as an expression.
TEST(Cli, HelpVersionAndUnknownOptions)
{
    for (const char* help : {"--help", "-h"}) {
        const CliRun run = runCli({"1+2", help, "3"});
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.out.rfind("usage: quorra-cli", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("--version"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
    const CliRun version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("quorra-cli ") + QUORRA_EXPECTED_VERSION + "\n");

    for (const char* bad : {"--bogus", "--Plain", "--help=1"}) {
        const CliRun run = runCli({"1+2", bad});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "") << bad;
        EXPECT_NE(run.err.find(bad), std::string::npos) << run.err;
    }
    const CliRun literal = runCli({"--plain", "--", "--help", "-2^2"});
    EXPECT_EQ(literal.status, 1); // "--help" as an expression fails
    EXPECT_EQ(literal.out, "\n-4.0\n");
}

TEST(Cli, StdinLines)
{
    const CliRun run = runCli({"--plain"}, "1+2\r\n2*3\n1+\n7");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "3.0\n6.0\n\n7.0\n");
    EXPECT_EQ(run.err, "错误提示: 存在运算符没有右运算数据\n");

    const CliRun clean = runCli({}, "(1+2)(3+4)\n");
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "2.1E1\n");

    const CliRun none = runCli({}, "");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
}

TEST(Cli, Utf8)
{
    const CliRun run = runCli({"1+2中", "1+\xff" "2", "", "1.2.3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "\n\n\n\n"); // characters outside the language are named, not dropped
    EXPECT_NE(run.err.find("“中”"), std::string::npos);
    EXPECT_NE(run.err.find("错误提示: 表达式为空\n"), std::string::npos);
    EXPECT_NE(run.err.find("1.2.3"), std::string::npos);
}

} // namespace
