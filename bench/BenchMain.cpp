// tamsic_bench: times load, save and report against the bare cost of reading and
// writing the same bytes, and weighs the loaded table against the file's size. The
// first load and tamsic-ini are judged as fresh processes: what a user meets.

#include "BenchFiles.h"
#include "FreshProcess.h"
#include "HeapCounter.h"
#include "MergeBenchFiles.h"
#include "Timing.h"

#include "inidb/FileSystem.h"
#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "reports/CompatText.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <filesystem>
#include <numeric>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kFirstLoadTarget = 3.0;
constexpr double kNormalizeTarget = 3.0;
constexpr double kSaveTarget = 3.0;
constexpr double kDisplayedTarget = 1.5;
constexpr double kPeakTarget = 2.0;
constexpr double kTableTarget = 1.5;
constexpr double kLongLineTarget = 3.0;
constexpr double kMergeTarget = 3.0;
constexpr double kMergePeakTarget = 3.0;
// tamsic-ini merge exits 1 when it printed conflicts, as the merge files hold.
constexpr int kMergedWithConflicts = 1;
constexpr std::size_t kLongLineBytes = std::size_t{64} << 20;
constexpr int kFreshRuns = 7;
constexpr const char *kFirstLoadArgument = "--first-load";

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

    // Figures of the fresh runs: seconds, heap peak, heap left in use, resident growth.
    const std::vector<double> first = bestOfFreshRuns({kFirstLoadArgument, path}, kFreshRuns);
    const double normalize = bestSeconds([&] { runProcess({TAMSIC_INI, "normalize", path, savePath}); }, kFreshRuns);
    IniDocument doc;
    doc.IniPath = path;
    LoadIniFile(doc);
    const double reload = bestSeconds([&] { LoadIniFile(doc); });

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
    verdict.line("first load, fresh process", first[0] * ms, "ms", first[0] / readFloor, "read floor",
                 kFirstLoadTarget);
    verdict.line("tamsic-ini normalize", normalize * ms, "ms", normalize / (readFloor + writeFloor),
                 "read + write floor", kNormalizeTarget);
    // For information: a reload in a process that has loaded before.
    verdict.line("warm reload", reload * ms, "ms", reload / readFloor, "read floor");
    verdict.line("save, read-in order", saveReadIn * ms, "ms", saveReadIn / writeFloor, "write floor", kSaveTarget);
    verdict.line("save, displayed (reversed)", saveDisplayed * ms, "ms", saveDisplayed / writeFloor, "write floor",
                 kSaveTarget);
    verdict.line("  displayed vs read-in", saveDisplayed * ms, "ms", saveDisplayed / saveReadIn, "read-in save",
                 kDisplayedTarget);
    verdict.line("report", report * ms, "ms", report / writeFloor, "write floor");
    verdict.line("loaded table and texts", first[2] / 1e6, "MB", first[2] / fileBytes, "file size", kTableTarget);
    // While it parses, the load also holds the file's bytes.
    verdict.line("heap peak of the first load", first[1] / 1e6, "MB", first[1] / fileBytes, "file size",
                 kPeakTarget);
    verdict.line("resident growth, first load", first[3] / 1e6, "MB", first[3] / fileBytes, "file size");
    return verdict.allMet;
}

// A file whose one line is far longer than the pieces it is read in: its load must take
// time in proportion to its size, as any other file's does.
bool runLongLine(const std::string &folder)
{
    const std::string path = folder + "/long-line.ini";
    writeAndFlush(path, "{1A2B3C4D-45}\r\nName=One long line\r\nInfo=" + std::string(kLongLineBytes, 'i')
                            + "\r\n\r\n");
    const double readFloor = bestSeconds([&] { readAndSplit(path); });
    const std::vector<double> first = bestOfFreshRuns({kFirstLoadArgument, path}, 3);
    std::printf("one line of %zu MB\n", kLongLineBytes >> 20);
    Verdict verdict;
    verdict.line("floor: read + split lines", readFloor * 1e3, "ms", 1.0, "");
    verdict.line("first load, fresh process", first[0] * 1e3, "ms", first[0] / readFloor, "read floor",
                 kLongLineTarget);
    std::filesystem::remove(path);
    return verdict.allMet;
}

// Three files merged by tamsic-ini against reading the three and writing one, and the
// heap the merge itself takes beyond the three loaded files.
bool runMerge(const std::string &folder)
{
    constexpr std::size_t blocks = 200000;
    const MergeBenchFiles files = writeMergeBenchFiles(folder, blocks);
    const std::string outPath = folder + "/merged.ini";
    double readFloor = 0;
    for (const std::string &path : {files.base, files.mine, files.theirs})
        readFloor += bestSeconds([&] { readAndSplit(path); });
    const IoValue<std::string> mineBytes = DefaultFileSystem().ReadWholeFile(files.mine);
    const double writeFloor = bestSeconds([&] { writeAndFlush(outPath, mineBytes.value); });
    const double merge = bestSeconds(
        [&] {
            runProcess({TAMSIC_INI, "merge", files.base, files.mine, files.theirs, "-o", outPath},
                       kMergedWithConflicts);
        },
        kFreshRuns);

    IniDocument docs[3];
    const std::string *paths[] = {&files.base, &files.mine, &files.theirs};
    for (int which = 0; which < 3; ++which) {
        docs[which].IniPath = *paths[which];
        if (const LoadResult loaded = LoadIniFile(docs[which]); !loaded.status.ok())
            fail(loaded.status);
    }
    const std::size_t heapBefore = HeapInUse();
    ResetHeapPeak();
    const MergeSide base = DocumentSide(docs[0]);
    const MergeResult result = MergeIni(&base, DocumentSide(docs[1]), DocumentSide(docs[2]));
    ApplyMergeEdits(docs[1], DefaultEdits(docs[1], result));
    const double mergePeak = static_cast<double>(HeapPeak() - heapBefore);

    std::printf("merge of three files of %zu blocks, %zu changes\n", blocks, result.changes.size());
    Verdict verdict;
    constexpr double ms = 1e3;
    verdict.line("floor: read + split lines, three files", readFloor * ms, "ms", 1.0, "");
    verdict.line("floor: write + flush", writeFloor * ms, "ms", 1.0, "");
    verdict.line("tamsic-ini merge", merge * ms, "ms", merge / (readFloor + writeFloor), "read 3 + write floor",
                 kMergeTarget);
    verdict.line("heap peak of the merge", mergePeak / 1e6, "MB", mergePeak / static_cast<double>(mineBytes.value.size()),
                 "file size", kMergePeakTarget);
    return verdict.allMet;
}

// The child of a fresh run: one load, then its figures on one line.
int firstLoadRun(const char *path)
{
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    long residentPages = 0;
    std::ifstream("/proc/self/statm") >> residentPages >> residentPages;
    IniDocument doc;
    doc.IniPath = path;
    const std::size_t heapBefore = HeapInUse();
    ResetHeapPeak();
    const double seconds = secondsOf([&] {
        if (const LoadResult loaded = LoadIniFile(doc); !loaded.status.ok())
            fail(loaded.status);
    });
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const double residentGrowth = static_cast<double>(usage.ru_maxrss) * 1024 - double(residentPages * pageSize);
    std::printf("%.6f %zu %zu %.0f\n", seconds, HeapPeak() - heapBefore, HeapInUse() - heapBefore, residentGrowth);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], kFirstLoadArgument) == 0)
        return firstLoadRun(argv[2]);
    const std::string folder =
        makeBenchFolder(argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string());
    runSize(folder, 32766, false);
    bool allMet = runSize(folder, 200000, true);
    allMet = runLongLine(folder) && allMet;
    allMet = runMerge(folder) && allMet;
    std::filesystem::remove_all(folder);

    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("largest resident size of the whole run: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1e3);
    std::printf("%s\n", allMet ? "all targets met" : "some targets MISSED");
    return allMet ? 0 : 1;
}
