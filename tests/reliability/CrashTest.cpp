// Kills a saving process of ours with SIGKILL at many moments; the target must always
// be the complete old file or the complete new one.
#include "BigDocument.h"
#include "ChildProcess.h"
#include "TempFolder.h"

#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

constexpr std::size_t kEntries = 20000;
constexpr int kKills = 200;

std::string savedBytes(std::string_view tag)
{
    const IniDocument doc = BigDocument(tag, kEntries);
    return SerializeIni(doc, ReadInOrder(doc));
}

TEST(KilledSave, LeavesTheCompleteOldOrTheCompleteNewFile)
{
    // A kill, unlike a power cut, leaves whatever reached the page cache, so memory-backed
    // files show the same; they keep each save's flush from taking most of the time.
    if (std::filesystem::is_directory("/dev/shm"))
        ::setenv("TMPDIR", "/dev/shm", 1);
    TempFolder folder;
    const std::string target = folder.file("velmoran.ini");
    const std::string oldBytes = savedBytes("old");
    const std::string newBytes = savedBytes("newer");

    // One uncut save first (kill 0): how long the save takes sets the range of kill moments,
    // from at once to a little past the save's own time, most of them early in the save.
    using Clock = std::chrono::steady_clock;
    Clock::duration saveTime{};
    int keptOld = 0, gotNew = 0;
    for (int kill = -1; kill < kKills; ++kill) {
        WriteBytes(target, oldBytes);
        ChildProcess saver({TAMSIC_CRASH_SAVER, target, "newer", std::to_string(kEntries)});
        ASSERT_EQ(saver.readLine(), "ready");
        if (kill < 0) {
            const Clock::time_point start = Clock::now();
            ASSERT_EQ(saver.readLine(), "saved");
            saveTime = Clock::now() - start;
            ASSERT_TRUE(saver.wait().exited);
            ASSERT_EQ(ReadBytes(target), newBytes);
            continue;
        }
        const double share = static_cast<double>(kill) / (kKills - 1);
        std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(saveTime * (1.2 * share * share)));
        saver.kill();
        saver.wait();
        const std::string bytes = ReadBytes(target);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "kill " << kill << " left " << bytes.size() << " bytes";
        (bytes == oldBytes ? keptOld : gotNew) += 1;
        // What killed saves left beside the target goes, so the folder stays small.
        for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path() != target)
                std::filesystem::remove(entry.path());
    }
    EXPECT_GT(keptOld, 0) << "no kill came before the rename";
    EXPECT_GT(gotNew, 0) << "no save got to its rename";
}

} // namespace
