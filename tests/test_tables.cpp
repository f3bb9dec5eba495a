// The digit tables beside the executable and the start-up that reads them.
// Every digit is checked against MPFR/GMP computed here, by a different route
// than the generator's (decimal conversion of a high-precision value rather
// than an enclosed integer part), and all the way to the last digit.

#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bignum/exe_dir.h"
#include "bignum/globals.h"
#include "expr/startup.h"

namespace fs = std::filesystem;

namespace {

const char* const kAtanFile = "反正切表.txt";
const char* const kConstantsFile = "万位常数.wwcs";
const char* const kFactFile = "阶乘表.jcb";

class MessageLog : public MessagePort {
public:
    MessageLog() { setMessagePort(this); }
    ~MessageLog() override { setMessagePort(nullptr); }
    void showMessage(const std::string& text, MessageStyle style) override { messages.emplace_back(text, style); }
    void setCaption(const std::string&) override {}
    std::vector<std::pair<std::string, MessageStyle>> messages;
};

std::string asText(const uint8_t* digits, size_t count)
{
    std::string s;
    s.reserve(count);
    for (size_t i = 0; i < count; ++i)
        s.push_back(digits[i] <= 9 ? static_cast<char>('0' + digits[i]) : '?');
    return s;
}

// Equal digit strings; on a mismatch shows the first differing digit and a
// short stretch around it instead of thousands of digits.
::testing::AssertionResult sameDigits(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    const size_t from = i < 10 ? 0 : i - 10;
    return ::testing::AssertionFailure() << "lengths " << actual.size() << " and " << expected.size()
                                         << ", first difference at digit " << i + 1 << ": got ..."
                                         << actual.substr(from, 30) << "..., expected ..."
                                         << expected.substr(from, 30) << "...";
}

// The integer digit of x (0 <= x < 10) followed by its fraction digits, leading
// fraction zeros included, `count` digits in all, truncated.
std::string truncatedBlock(mpfr_srcptr x, size_t count)
{
    mpfr_exp_t exp10 = 0;
    char* s = mpfr_get_str(nullptr, &exp10, 10, count + 40, x, MPFR_RNDZ);
    std::string mantissa(s);
    mpfr_free_str(s);
    EXPECT_LE(exp10, 1) << "value has more than one integer digit";
    std::string block = exp10 == 1 ? mantissa : "0" + std::string(static_cast<size_t>(-exp10), '0') + mantissa;
    block.resize(count);
    return block;
}

std::vector<uint8_t> fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

class TableFiles : public ::testing::Test {
protected:
    void SetUp() override { startUp(); }
    void TearDown() override
    {
        if (!scratch_.empty())
            fs::remove_all(scratch_);
        startUp();
        errorFlag = 0;
    }

    fs::path scratchDir()
    {
        if (scratch_.empty()) {
            std::string pattern = (fs::temp_directory_path() / "quorra-tables-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr)
                ADD_FAILURE() << "mkdtemp failed";
            scratch_ = pattern;
        }
        return scratch_;
    }

    MessageLog log_;

private:
    fs::path scratch_;
};

TEST_F(TableFiles, ExecutableDirectoryIsTheBuildOutputFolder)
{
    const char* bin = std::getenv("QUORRA_BIN");
    if (bin == nullptr)
        GTEST_SKIP() << "QUORRA_BIN not set (not run through ctest)";
    const std::string dir = executableDirectory();
    EXPECT_TRUE(fs::equivalent(dir, bin)) << dir << " vs " << bin;
    EXPECT_NE(dir.back(), '/');
    EXPECT_EQ(pathBesideExecutable(kFactFile), dir + "/" + kFactFile);
}

TEST_F(TableFiles, FilesHaveTheirExactLengths)
{
    const std::vector<std::pair<const char*, uintmax_t>> sizes = {
        {kAtanFile, 55000}, {kConstantsFile, 33000}, {kFactFile, 35710}};
    for (const auto& [name, size] : sizes) {
        std::error_code ec;
        EXPECT_EQ(fs::file_size(pathBesideExecutable(name), ec), size) << name << " " << ec.message();
    }
}

// π, e, ln 10 and the five arctangents, every one of the 11000 digits.
TEST_F(TableFiles, ConstantDigitsMatchMpfrToTheLastDigit)
{
    constexpr size_t kCount = 11000;
    const mpfr_prec_t bits = static_cast<mpfr_prec_t>((kCount + 100) * 3.33) + 64;

    using Compute = std::function<void(mpfr_ptr)>;
    const auto atanOf = [](unsigned long k) {
        return Compute([k](mpfr_ptr x) {
            mpfr_set_ui(x, 1, MPFR_RNDN);
            for (unsigned long i = 0; i < k; ++i)
                mpfr_div_ui(x, x, 10, MPFR_RNDN);
            mpfr_atan(x, x, MPFR_RNDN);
        });
    };
    struct Case {
        const char* name;
        const uint8_t* digits; // entry 1
        DigitTableId table;
        Compute compute;
    };
    const std::vector<Case> cases = {
        {"pi", &piDigits[1], DigitTableId::Pi, [](mpfr_ptr x) { mpfr_const_pi(x, MPFR_RNDN); }},
        {"e", &eDigits[1], DigitTableId::E,
         [](mpfr_ptr x) {
             mpfr_set_ui(x, 1, MPFR_RNDN);
             mpfr_exp(x, x, MPFR_RNDN);
         }},
        {"ln 10", &ln10Digits[1], DigitTableId::Ln10,
         [](mpfr_ptr x) {
             mpfr_set_ui(x, 10, MPFR_RNDN);
             mpfr_log(x, x, MPFR_RNDN);
         }},
        {"atan 1", &atanDigit(1), DigitTableId::Atan, atanOf(0)},
        {"atan 0.1", &atanDigit(11001), DigitTableId::Atan, atanOf(1)},
        {"atan 0.01", &atanDigit(22001), DigitTableId::Atan, atanOf(2)},
        {"atan 0.001", &atanDigit(33001), DigitTableId::Atan, atanOf(3)},
        {"atan 0.0001", &atanDigit(44001), DigitTableId::Atan, atanOf(4)},
    };

    EXPECT_TRUE(log_.messages.empty());
    mpfr_t x;
    mpfr_init2(x, bits);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_GE(tableDigitsAvailable(c.table), c.table == DigitTableId::Atan ? 55000 : 11000);
        c.compute(x);
        const std::string expected = truncatedBlock(x, kCount);
        const std::string actual = asText(c.digits, kCount);
        EXPECT_TRUE(sameDigits(actual, expected));
    }
    mpfr_clear(x);
}

TEST_F(TableFiles, FactorialBlocksAreTheExactProductsOfHundredIntegers)
{
    std::vector<std::string> blocks;
    mpz_t p;
    mpz_init(p);
    for (unsigned long i = 1; i <= 100; ++i) {
        mpz_set_ui(p, 1);
        for (unsigned long v = 100 * (i - 1) + 1; v <= 100 * i; ++v)
            mpz_mul_ui(p, p, v);
        char* s = mpz_get_str(nullptr, 10, p);
        blocks.emplace_back(s);
        void (*freeString)(void*, size_t);
        mp_get_memory_functions(nullptr, nullptr, &freeString);
        freeString(s, blocks.back().size() + 1);
    }
    mpz_clear(p);

    // Lengths the factorial routine's block table is built from.
    const std::map<size_t, size_t> knownLengths = {{1, 158}, {2, 217}, {3, 240}, {4, 255},
                                                   {10, 298}, {50, 370}, {100, 400}};
    for (const auto& [i, length] : knownLengths)
        EXPECT_EQ(blocks[i - 1].size(), length) << "block " << i;
    size_t total = 0;
    for (const std::string& b : blocks)
        total += b.size();
    ASSERT_EQ(total, 35710u);
    ASSERT_EQ(tableDigitsAvailable(DigitTableId::Fact), 35710);

    size_t offset = 1;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const std::string actual = asText(&factDigits[offset], blocks[i].size());
        EXPECT_TRUE(sameDigits(actual, blocks[i])) << "block " << i + 1;
        offset += blocks[i].size();
    }
}

TEST_F(TableFiles, StartUpSetsTheFlagsAndFillsTheTables)
{
    errorFlag = -1;
    scientificOutput = kFalse;
    subFunctionTest = kTrue;
    startUp();
    EXPECT_EQ(errorFlag, 0);
    EXPECT_EQ(scientificOutput, kTrue);
    EXPECT_EQ(subFunctionTest, kFalse);
    // A table's digits are read when it is first asked for.
    for (DigitTableId id : {DigitTableId::Pi, DigitTableId::E, DigitTableId::Ln10})
        EXPECT_EQ(tableDigitsAvailable(id), 11000);
    EXPECT_EQ(asText(&piDigits[1], 5), "31415");
    EXPECT_EQ(asText(&eDigits[1], 3), "271");
    EXPECT_EQ(tableDigitsAvailable(DigitTableId::Atan), 55000);
    EXPECT_EQ(tableDigitsAvailable(DigitTableId::Fact), 35710);
    EXPECT_TRUE(log_.messages.empty());
}

// Folders with damaged table files: each damaged file is reported once by
// name, and exactly the digits it really holds are available; the rest read 0.
TEST_F(TableFiles, DamagedFilesAreReportedOnceAndLimitWhatIsAvailable)
{
    const std::vector<uint8_t> atan = fileBytes(pathBesideExecutable(kAtanFile));
    const std::vector<uint8_t> constants = fileBytes(pathBesideExecutable(kConstantsFile));
    const std::vector<uint8_t> fact = fileBytes(pathBesideExecutable(kFactFile));
    ASSERT_EQ(atan.size(), 55000u);
    ASSERT_EQ(constants.size(), 33000u);
    ASSERT_EQ(fact.size(), 35710u);

    using Bytes = std::vector<uint8_t>;
    const auto prefix = [](const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + static_cast<long>(n)); };
    const auto withByte = [](Bytes b, size_t pos1, uint8_t v) {
        b[pos1 - 1] = v;
        return b;
    };
    const auto padded = [](Bytes b) {
        b.insert(b.end(), 100, 'x');
        return b;
    };
    const std::optional<Bytes> none; // the file is left out

    struct Case {
        const char* name;
        std::optional<Bytes> atan, constants, fact;
        std::vector<const char*> reported;
        int32_t atanN, piN, eN, ln10N, factN;
    };
    const std::vector<Case> cases = {
        {"short constants, no factorials", atan, prefix(constants, 11000), none,
         {kConstantsFile, kFactFile}, 55000, 11000, 0, 0, 0},
        {"all missing", none, none, none, {kAtanFile, kConstantsFile, kFactFile}, 0, 0, 0, 0, 0},
        {"empty arctangent file", Bytes{}, constants, fact, {kAtanFile}, 0, 11000, 11000, 11000, 35710},
        {"character byte inside e", atan, withByte(constants, 15000, '7'), fact, {kConstantsFile},
         55000, 11000, 3999, 0, 35710},
        {"constants end inside ln 10", atan, prefix(constants, 22500), fact, {kConstantsFile},
         55000, 11000, 11000, 500, 35710},
        {"short last arctangent block", prefix(atan, 54999), constants, prefix(fact, 35709),
         {kAtanFile, kFactFile}, 54999, 11000, 11000, 11000, 35709},
        {"longer files than read", padded(atan), padded(constants), padded(fact), {},
         55000, 11000, 11000, 11000, 35710},
    };

    const fs::path dir = scratchDir();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [name, bytes] : {std::pair{kAtanFile, &c.atan}, std::pair{kConstantsFile, &c.constants},
                                          std::pair{kFactFile, &c.fact}}) {
            fs::remove(dir / name);
            if (bytes->has_value())
                writeBytes(dir / name, **bytes);
        }
        log_.messages.clear();
        startUpFrom(dir.string());

        ASSERT_EQ(log_.messages.size(), c.reported.size());
        for (size_t i = 0; i < c.reported.size(); ++i) {
            EXPECT_NE(log_.messages[i].first.find(std::string("“") + c.reported[i] + "”"), std::string::npos)
                << log_.messages[i].first;
            EXPECT_EQ(log_.messages[i].second, MessageStyle::Plain);
        }
        EXPECT_EQ(errorFlag, 0);

        struct Table {
            DigitTableId id;
            const uint8_t* digits;
            const uint8_t* truth;
            int32_t size, expected;
        };
        const Table tables[] = {
            {DigitTableId::Atan, &atanDigit(1), atan.data(), 55000, c.atanN},
            {DigitTableId::Pi, &piDigits[1], constants.data(), 11000, c.piN},
            {DigitTableId::E, &eDigits[1], constants.data() + 11000, 11000, c.eN},
            {DigitTableId::Ln10, &ln10Digits[1], constants.data() + 22000, 11000, c.ln10N},
            {DigitTableId::Fact, &factDigits[1], fact.data(), 35710, c.factN},
        };
        for (const Table& t : tables) {
            SCOPED_TRACE(tableFileName(t.id));
            EXPECT_EQ(tableDigitsAvailable(t.id), t.expected);
            const auto n = static_cast<size_t>(t.expected);
            EXPECT_TRUE(sameDigits(asText(t.digits, n), asText(t.truth, n)));
            const size_t rest = static_cast<size_t>(t.size) - n;
            EXPECT_TRUE(sameDigits(asText(t.digits + n, rest), std::string(rest, '0')));
        }
    }
}

TEST_F(TableFiles, MissingDigitsStopTheFunctionThatNeedsThem)
{
    const fs::path dir = scratchDir();
    std::vector<uint8_t> constants = fileBytes(pathBesideExecutable(kConstantsFile));
    constants.resize(11000);
    writeBytes(dir / kConstantsFile, constants);
    startUpFrom(dir.string());
    ASSERT_EQ(log_.messages.size(), 3u);

    struct Case {
        DigitTableId id;
        int32_t count;
        bool available;
    };
    const Case cases[] = {
        {DigitTableId::Pi, 11000, true}, {DigitTableId::Pi, 11001, false}, {DigitTableId::E, 1, false},
        {DigitTableId::Ln10, 40, false}, {DigitTableId::Fact, 158, false}, {DigitTableId::Atan, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(tableFileName(c.id)) + " " + std::to_string(c.count));
        log_.messages.clear();
        errorFlag = 0;
        EXPECT_EQ(requireTableDigits(c.id, c.count), c.available);
        EXPECT_EQ(errorFlag, c.available ? 0 : -1);
        ASSERT_EQ(log_.messages.size(), c.available ? 0u : 1u);
        if (!c.available) {
            EXPECT_NE(log_.messages[0].first.find(tableFileName(c.id)), std::string::npos);
        }
    }
}

} // namespace
