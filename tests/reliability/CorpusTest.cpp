// The fuzz targets' seed corpus and every crash file once found and fixed, run through
// the same checks as the fuzzers, in the normal build.
#include "FuzzChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

struct Target {
    const char *name;
    std::string (*check)(std::string_view);
};

void PrintTo(const Target &target, std::ostream *os)
{
    *os << target.name;
}

std::string bytesOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FuzzRegression : public testing::TestWithParam<Target> {
protected:
    // Runs the check over every file of fuzz/<kind>/<target>; returns how many there were.
    int runFolder(std::string_view kind)
    {
        const fs::path folder = fs::path(TAMSIC_FUZZ_DIR) / kind / GetParam().name;
        if (!fs::is_directory(folder))
            return 0;
        int files = 0;
        for (const fs::directory_entry &file : fs::directory_iterator(folder)) {
            EXPECT_EQ(GetParam().check(bytesOf(file.path())), "") << file.path();
            ++files;
        }
        return files;
    }
};

// Crash files join the seeds once one has been found and fixed; until then the folder is empty.
TEST_P(FuzzRegression, EverySeedAndFixedCrashKeepsTheProperties)
{
    EXPECT_GE(runFolder("corpus"), 5) << "the seed corpus went missing";
    runFolder("crashes");
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegression,
                         testing::Values(Target{"parse", CheckParse}, Target{"roundtrip", CheckRoundTrip},
                                         Target{"report", CheckReportText}),
                         [](const testing::TestParamInfo<Target> &info) { return std::string(info.param.name); });

} // namespace
