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
#include <iostream>
#include <thread>

namespace {

constexpr std::size_t kEntries = 20000;
constexpr int kKills = 200;

using Clock = std::chrono::steady_clock;

std::string savedBytes(std::string_view tag)
{
    const IniDocument doc = BigDocument(tag, kEntries);
    return SerializeIni(doc, ReadInOrder(doc));
}

ChildProcess startSaver(const std::string &target)
{
    return ChildProcess({TAMSIC_CRASH_SAVER, target, "newer", std::to_string(kEntries)});
}

// Removes what killed saves left beside the target; returns how many there were.
int removeLeftovers(const TempFolder &folder)
{
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder.path())) {
        if (entry.path().filename() != "velmoran.ini") {
            std::filesystem::remove(entry.path());
            ++count;
        }
    }
    return count;
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

    // One uncut save first: how long the save itself takes sets the range of kill moments.
    WriteBytes(target, oldBytes);
    Clock::duration saveTime;
    {
        ChildProcess saver = startSaver(target);
        ASSERT_EQ(saver.readLine(), "ready");
        const Clock::time_point start = Clock::now();
        ASSERT_EQ(saver.readLine(), "saved");
        saveTime = Clock::now() - start;
        ASSERT_TRUE(saver.wait().exited);
    }
    ASSERT_EQ(ReadBytes(target), newBytes);

    int keptOld = 0, gotNew = 0, finished = 0, leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        WriteBytes(target, oldBytes);
        ChildProcess saver = startSaver(target);
        ASSERT_EQ(saver.readLine(), "ready");
        // From at once to a little past the save's own time, most of them early in the save.
        const double share = static_cast<double>(kill) / (kKills - 1);
        std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(saveTime * (1.2 * share * share)));
        saver.kill();
        finished += saver.wait().exited;

        const std::string bytes = ReadBytes(target);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes)
            << "kill " << kill << " left " << bytes.size() << " bytes (old " << oldBytes.size() << ", new "
            << newBytes.size() << ")";
        (bytes == oldBytes ? keptOld : gotNew) += 1;
        leftovers += removeLeftovers(folder);
    }
    std::cout << kKills << " kill moments from 0 to "
              << std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 1.2).count()
              << " us after the save began: " << keptOld << " old, " << gotNew << " new, " << finished
              << " saves finished first, " << leftovers << " temporary files left by killed saves\n";
    EXPECT_GT(keptOld, 0) << "no kill came before the rename";
    EXPECT_GT(gotNew, 0) << "no save got to its rename";
}

} // namespace
