// tamsic_bench: times load, save and report against the bare cost of reading and
// writing the same bytes, and weighs the loaded table against the file's size.

#include "BenchFiles.h"
#include "HeapCounter.h"
#include "Timing.h"

#include "inidb/FileSystem.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "reports/CompatText.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr double kLoadTarget = 4.0;
constexpr double kSaveTarget = 3.0;
constexpr double kDisplayedTarget = 1.5;
constexpr double kMemoryTarget = 3.0;

// Reading the bytes and finding every line: what no loader can do without.
std::size_t readAndSplit(const std::string &path)
{
    const IoValue<std::string> bytes = DefaultFileSystem().ReadWholeFile(path);
    if (!bytes.ok())
        fail(bytes.status);
    std::size_t lines = 0;
    const char *p = bytes.value.data();
    const char *end = p + bytes.value.size();
    while (const char *lf = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) {
        ++lines;
        p = lf + 1;
    }
    return lines;
}

bool runSize(const std::string &folder, std::size_t blocks, bool judged)
{
    const std::string path = folder + "/velmoran.ini";
    const std::string copyPath = folder + "/floor.ini";
    const std::string savePath = folder + "/saved.ini";
    const std::string reportPath = folder + "/compat.txt";
    writeBenchIni(path, blocks);
    const IoValue<FileInfo> info = DefaultFileSystem().Stat(path);
    const double fileBytes = static_cast<double>(info.value.size);

    std::size_t lines = 0;
    const double readFloor = bestSeconds([&] { lines = readAndSplit(path); });
    const IoValue<std::string> original = DefaultFileSystem().ReadWholeFile(path);
    const double writeFloor = bestSeconds([&] { writeAndFlush(copyPath, original.value); });

    IniDocument doc;
    doc.IniPath = path;
    const std::size_t heapBefore = HeapInUse();
    ResetHeapPeak();
    const double firstLoad = secondsOf([&] {
        if (const LoadResult loaded = LoadIniFile(doc); !loaded.status.ok())
            fail(loaded.status);
    });
    const double peakBytes = static_cast<double>(HeapPeak() - heapBefore);
    const double tableBytes = static_cast<double>(HeapInUse() - heapBefore);
    const double load = bestSeconds([&] { LoadIniFile(doc); });

    std::vector<std::size_t> reversed(doc.EntryTable.size());
    std::iota(reversed.rbegin(), reversed.rend(), std::size_t{0});
    doc.SaveType = static_cast<std::int16_t>(SaveOrder::ReadIn);
    const double saveReadIn = bestSeconds([&] { WriteIniFile(doc, savePath, {}, DefaultFileSystem()); });
    doc.SaveType = static_cast<std::int16_t>(SaveOrder::Displayed);
    const double saveDisplayed = bestSeconds([&] { WriteIniFile(doc, savePath, reversed, DefaultFileSystem()); });
    const double report = bestSeconds([&] { WriteCompatList(doc, reportPath, DefaultFileSystem()); });

    std::printf("%zu blocks, %zu lines, %.1f MB\n", blocks, lines, fileBytes / 1e6);
    Verdict verdict{judged};
    constexpr double ms = 1e3;
    verdict.line("floor: read + split lines", readFloor * ms, "ms", 1.0, "");
    verdict.line("floor: write + flush", writeFloor * ms, "ms", 1.0, "");
    // Later loads (the reload after every save) reuse the table's memory; the first one
    // must get fresh pages from the system, which costs much more on some machines.
    verdict.line("load into an empty table", firstLoad * ms, "ms", firstLoad / readFloor, "read floor");
    verdict.line("load", load * ms, "ms", load / readFloor, "read floor", kLoadTarget);
    verdict.line("save, read-in order", saveReadIn * ms, "ms", saveReadIn / writeFloor, "write floor", kSaveTarget);
    verdict.line("save, displayed (reversed)", saveDisplayed * ms, "ms", saveDisplayed / writeFloor, "write floor",
                 kSaveTarget);
    verdict.line("  displayed vs read-in", saveDisplayed * ms, "ms", saveDisplayed / saveReadIn, "read-in save",
                 kDisplayedTarget);
    verdict.line("report", report * ms, "ms", report / writeFloor, "write floor");
    verdict.line("loaded table", tableBytes / 1e6, "MB", tableBytes / fileBytes, "file size", kMemoryTarget);
    // While it parses, the load also holds the file's bytes.
    verdict.line("heap peak during the load", peakBytes / 1e6, "MB", peakBytes / fileBytes, "file size");
    return verdict.allMet;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string folder =
        makeBenchFolder(argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string());
    runSize(folder, 32766, false);
    const bool allMet = runSize(folder, 200000, true);
    std::filesystem::remove_all(folder);

    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("largest resident size of the whole run: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1e3);
    std::printf("%s\n", allMet ? "all targets met" : "some targets MISSED");
    return allMet ? 0 : 1;
}
