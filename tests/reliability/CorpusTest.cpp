// The fuzz targets' seed corpus and every crash file once found and fixed, run through
// the same checks as the fuzzers, in the normal build.
#include "FuzzChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

TEST(FuzzRegression, EverySeedAndFixedCrashKeepsTheProperties)
{
    const std::pair<const char *, std::string (*)(std::string_view)> targets[] = {
        {"parse", CheckParse}, {"roundtrip", CheckRoundTrip}, {"report", CheckReportText}, {"merge", CheckMerge}};
    for (const auto &[name, check] : targets) {
        std::vector<fs::path> files;
        // Crash files join once one has been found and fixed; until then the folder is absent.
        for (const char *kind : {"corpus", "crashes"}) {
            std::error_code absent;
            for (const auto &file : fs::directory_iterator(fs::path(TAMSIC_FUZZ_DIR) / kind / name, absent))
                files.push_back(file.path());
            if (files.size() < 5)
                ADD_FAILURE() << name << ": the seed corpus went missing";
        }
        for (const fs::path &file : files) {
            std::ifstream in(file, std::ios::binary);
            EXPECT_EQ(check(std::string(std::istreambuf_iterator<char>(in), {})), "") << file;
        }
    }
}

} // namespace
