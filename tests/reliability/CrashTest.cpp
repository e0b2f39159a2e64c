// Kills a saving process of ours with SIGKILL at many moments; the target must always
// be the complete old file or the complete new one.
#include "BigDocument.h"
#include "TempFolder.h"

#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t kEntries = 20000;
constexpr int kKills = 200;
constexpr const char *kEntriesText = "20000";

using Clock = std::chrono::steady_clock;

std::string savedBytes(std::string_view tag)
{
    const IniDocument doc = BigDocument(tag, kEntries);
    return SerializeIni(doc, ReadInOrder(doc));
}

// A running tamsic_crash_saver with its standard output.
class Saver final {
public:
    Saver(const std::string &target, const char *tag)
    {
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("no pipe");
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execl(TAMSIC_CRASH_SAVER, "tamsic_crash_saver", target.c_str(), tag, kEntriesText, nullptr);
            ::_exit(127);
        }
        ::close(out[1]);
        m_out = out[0];
    }

    ~Saver()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            waitForEnd();
        }
        ::close(m_out);
    }

    // The saver's next line; empty once it closed its output.
    std::string readLine()
    {
        std::string line;
        char c;
        while (::read(m_out, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    void kill() { ::kill(m_pid, SIGKILL); }

    // True when the saver ended by itself rather than by the kill.
    bool waitForEnd()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = 0;
        return WIFEXITED(status);
    }

private:
    pid_t m_pid = 0;
    int m_out = -1;
};

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
        Saver saver(target, "newer");
        ASSERT_EQ(saver.readLine(), "ready");
        const Clock::time_point start = Clock::now();
        ASSERT_EQ(saver.readLine(), "saved");
        saveTime = Clock::now() - start;
        ASSERT_TRUE(saver.waitForEnd());
    }
    ASSERT_EQ(ReadBytes(target), newBytes);

    int keptOld = 0, gotNew = 0, finished = 0, leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        WriteBytes(target, oldBytes);
        Saver saver(target, "newer");
        ASSERT_EQ(saver.readLine(), "ready");
        // From at once to a little past the save's own time, most of them early in the save.
        const double share = static_cast<double>(kill) / (kKills - 1);
        std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(saveTime * (1.2 * share * share)));
        saver.kill();
        finished += saver.waitForEnd();

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
