// Kills a saving process with SIGKILL at many moments; the target must always be the
// complete old file or the complete new one.
#include "TempFolder.h"

#include "inidb/DocumentSave.h"
#include "inidb/FileSystem.h"
#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kKills = 200;

// Every block carries tag, so two documents built with different tags differ in every
// block and in length.
IniDocument bigDocument(const std::string &tag)
{
    IniDocument doc;
    doc.Preamble = "// " + tag + "\r\n\r\n";
    doc.EntryTable.resize(20000);
    for (std::size_t i = 0; i < doc.EntryTable.size(); ++i) {
        doc.EntryTable[i].CRC = doc.Texts.keep(std::to_string(i) + "-45");
        doc.EntryTable[i].Name = doc.Texts.keep(tag + " ROM " + std::to_string(i));
    }
    return doc;
}

TEST(KilledSave, LeavesTheCompleteOldOrTheCompleteNewFile)
{
    // A kill, unlike a power cut, leaves whatever reached the page cache, so memory-backed
    // files show the same; they keep each save's flush from taking most of the time.
    if (std::filesystem::is_directory("/dev/shm"))
        ::setenv("TMPDIR", "/dev/shm", 1);
    TempFolder folder;
    const std::string target = folder.file("velmoran.ini");
    const IniDocument older = bigDocument("old");
    IniDocument newer = bigDocument("newer");
    newer.IniPath = target;
    const std::string oldBytes = SerializeIni(older, ReadInOrder(older));
    const std::string newBytes = SerializeIni(newer, ReadInOrder(newer));

    // One uncut save first (kill -1): how long the save takes sets the range of kill
    // moments, from at once to a little past the save's own time, most of them early.
    using Clock = std::chrono::steady_clock;
    Clock::duration saveTime{};
    int keptOld = 0, gotNew = 0;
    for (int kill = -1; kill < kKills; ++kill) {
        WriteBytes(target, oldBytes);
        const Clock::time_point start = Clock::now();
        const pid_t saver = ::fork();
        if (saver == 0) {
            ::_exit(SaveDocument(newer, target, {}, DefaultFileSystem()).status.ok() ? 0 : 1);
        }
        int end = 0;
        if (kill < 0) {
            ::waitpid(saver, &end, 0);
            saveTime = Clock::now() - start;
            ASSERT_TRUE(WIFEXITED(end) && WEXITSTATUS(end) == 0);
            ASSERT_EQ(ReadBytes(target), newBytes);
            continue;
        }
        const double share = static_cast<double>(kill) / (kKills - 1);
        std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(saveTime * (1.2 * share * share)));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, &end, 0);
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
