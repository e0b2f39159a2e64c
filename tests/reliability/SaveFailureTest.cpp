// A save, a backup and a report write meet failures: each file-system call made to fail in
// turn, then real ones (a missing folder, a full file system, a read-only one). Whatever
// fails, the caller is told, and nothing on disk or in memory is lost.
#include "FaultFileSystem.h"
#include "TempFolder.h"

#include "inidb/IniReader.h"
#include "inidb/DocumentSave.h"
#include "inidb/IniWriter.h"
#include "inidb/WholeFileTools.h"
#include "reports/CompatText.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kIni =
    "// Velmoran ROM settings\r\n\r\n"
    "{B01F3B8A-45}\r\nName=Kart Racer\r\nUCode=1\r\nComment=Playable\r\nExpansionPak\r\n\r\n"
    "{0E3B1E27-4A}\r\nName=Star Pilot\r\nUCode=5\r\nComment=Almost Playable\r\nDisbleDynarec\r\n\r\n";

// Every entry of a folder: its permissions and bytes.
using FileBytes = std::map<std::string, std::pair<fs::perms, std::string>>;
FileBytes folderBytes(const std::string &folder)
{
    FileBytes files;
    for (const auto &entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = {entry.status().permissions(),
                                                   entry.is_regular_file() ? ReadBytes(entry.path()) : "(no file)"};
    return files;
}

// A folder holding an ini file, an older backup and an older report, and the document
// loaded from that ini file and then edited: what the user has just before the command.
struct Scene {
    explicit Scene(const std::string &folder)
    {
        WriteBytes(folder + "/velmoran.ini", kIni);
        ::chmod((folder + "/velmoran.ini").c_str(), 0640);
        WriteBytes(folder + "/velmoran.ini.bak", "{OLD-45}\r\nName=Older backup\r\n\r\n");
        WriteBytes(folder + "/compat.txt", "Velmoran ROM Compatibility\r\n(an older report)\r\n");
        doc.IniPath = folder + "/velmoran.ini";
        if (!LoadIniFile(doc).status.ok())
            throw std::runtime_error("cannot load the scene's ini file");
        doc.EntryTable[0].Name = Text("Kart Racer (edited)");
        doc.EntryTable[1].Removed = true;
        doc.UndoList.push_back({"Star Pilot", "0E3B1E27-4A", 1, doc.LoadGeneration});
        before = doc;
        files = folderBytes(folder);
    }

    bool documentUnchanged() const
    {
        return doc.EntryTable == before.EntryTable && doc.Preamble == before.Preamble && doc.IniPath == before.IniPath
            && doc.LoadGeneration == before.LoadGeneration && doc.UndoCount() == before.UndoCount();
    }

    IniDocument doc, before;
    FileBytes files;
};

struct Outcome {
    IoStatus status;
    IoStatus reload; // a save's reload of what it wrote
};

// A command that replaces one file of the scene's folder, and what it writes there.
struct Command {
    const char *name;
    const char *target;
    Outcome (*run)(IniDocument &doc, const std::string &target, FileSystem &fs);
    std::string (*written)(const IniDocument &before);
};

const Command kCommands[] = {
    {"Save", "velmoran.ini",
     [](IniDocument &doc, const std::string &target, FileSystem &fs) {
         const DocumentSaveResult result = SaveDocument(doc, target, {}, fs);
         return Outcome{result.status, result.readBack.status};
     },
     [](const IniDocument &before) { return SerializeIni(before, ReadInOrder(before)); }},
    {"Backup", "velmoran.ini.bak",
     [](IniDocument &doc, const std::string &target, FileSystem &fs) {
         return Outcome{BackupIniFile(doc, target, fs), {}};
     },
     [](const IniDocument &) { return std::string(kIni); }},
    {"Report", "compat.txt",
     [](IniDocument &doc, const std::string &target, FileSystem &fs) {
         return Outcome{WriteCompatList(doc, target, fs), {}};
     },
     [](const IniDocument &before) { return CompatListText(before.EntryTable); }},
};

class SaveFailure : public testing::TestWithParam<Command> {
protected:
    // Runs the command on the real file system; it must fail with number, name the target
    // and change nothing on disk or in the document. Gives what it said.
    IoStatus expectRefused(Scene &scene, const std::string &target, int number)
    {
        const FileBytes before = folderBytes(m_folder.path());
        const Outcome outcome = GetParam().run(scene.doc, target, DefaultFileSystem());
        EXPECT_EQ(outcome.status.number, number) << outcome.status.description;
        EXPECT_NE(outcome.status.description.find(target), std::string::npos) << outcome.status.description;
        EXPECT_EQ(folderBytes(m_folder.path()), before);
        EXPECT_TRUE(scene.documentUnchanged());
        return outcome.status;
    }

    TempFolder m_folder;
};

TEST_P(SaveFailure, AtEveryFileSystemCallLosesNothingAndTellsTheCaller)
{
    const Command &command = GetParam();
    for (const int number : {ENOSPC, EIO}) {
        for (std::size_t failing = 1;; ++failing) {
            TempFolder folder;
            Scene scene(folder.path());
            const std::string target = folder.file(command.target);
            FaultFileSystem faulty(failing, number);
            const Outcome outcome = command.run(scene.doc, target, faulty);
            SCOPED_TRACE(std::string(std::strerror(number)) + " at call " + std::to_string(failing) + " ("
                         + faulty.failedOperation() + ")");
            if (faulty.failedOperation().empty()) {
                // Past the command's last call: it ran as without faults.
                EXPECT_TRUE(outcome.status.ok() && outcome.reload.ok());
                EXPECT_GT(failing, 8u) << "the safe write makes at least this many calls";
                // The temporary file has the target's mode before its first byte and is on
                // the disk before it replaces the target.
                const std::vector<std::string> &calls = faulty.calls();
                const auto first = [&calls](const char *call) { return std::ranges::find(calls, call) - calls.begin(); };
                const auto lastWrite = std::ranges::find(calls.rbegin(), calls.rend(), "Write").base() - calls.begin() - 1;
                EXPECT_LT(first("SetPermissions"), first("Write"));
                EXPECT_LT(lastWrite, first("Sync"));
                EXPECT_LT(first("Sync"), first("Rename"));
                break;
            }
            if (!outcome.status.ok()) {
                EXPECT_EQ(outcome.status.number, number);
                // Only the backup's read of the ini file fails under another name.
                if (faulty.failedOperation() != "ReadWholeFile") {
                    EXPECT_EQ(outcome.status.description, "Cannot write " + target + ": " + std::strerror(number));
                }
                EXPECT_EQ(folderBytes(folder.path()), scene.files);
                EXPECT_TRUE(scene.documentUnchanged());
                continue;
            }
            // Only these calls come after the new content is in place: clearing away what a
            // killed write left and flushing the folder, which cannot undo the rename, and a
            // save's look at what it wrote and reload.
            EXPECT_TRUE(faulty.failedOperation() == "RemoveLeftTempFiles" || faulty.failedOperation() == "SyncFolder"
                        || faulty.failedOperation() == "Stat"
                        || faulty.failedOperation() == "ReadInPieces");
            FileBytes expected = scene.files;
            expected[command.target].second = command.written(scene.before);
            EXPECT_EQ(folderBytes(folder.path()), expected);
            if (!outcome.reload.ok()) {
                EXPECT_EQ(outcome.reload.number, number);
                EXPECT_EQ(scene.doc.EntryTable, scene.before.EntryTable) << "a failed reload keeps the table";
            }
        }
    }
}

// Root writes into folders whose permissions forbid it, so a read-only mount is the only
// read-only folder that holds for every user. The mounts live in a private mount
// namespace (made private so none spreads to the machine) and vanish with the test.
TEST_P(SaveFailure, MissingFullAndReadOnlyFileSystemsLoseNothing)
{
    const char *target = GetParam().target;
    {
        Scene scene(m_folder.path());
        expectRefused(scene, m_folder.file("absent/") + target, ENOENT);
        // A file its user may not write (0444 in a writable folder) is refused as read-only.
        const std::string file = m_folder.file(target);
        ::chmod(m_folder.path().c_str(), 0777);
        ::chmod(m_folder.file("velmoran.ini").c_str(), 0644);
        ASSERT_TRUE(::chown(file.c_str(), 65534, 65534) == 0 && ::chmod(file.c_str(), 0444) == 0);
        ASSERT_EQ(::seteuid(65534), 0);
        const IoStatus refused = expectRefused(scene, file, EACCES);
        ASSERT_EQ(::seteuid(0), 0);
        EXPECT_EQ(refused.description, "Cannot write " + file + ": the file is read-only");
    }
    ASSERT_TRUE(::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
                && ::mount("tamsic-test", m_folder.path().c_str(), "tmpfs", 0, "size=256k,mode=0755") == 0)
        << "a small or read-only file system needs a private tmpfs: " << std::strerror(errno);
    Scene scene(m_folder.path());
    const int filler = ::open(m_folder.file("filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'x');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ::close(filler);
    expectRefused(scene, m_folder.file(target), ENOSPC);
    ASSERT_EQ(::mount(nullptr, m_folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    expectRefused(scene, m_folder.file(target), EROFS);
    // Unmounted first, so the folder itself can go.
    ::umount2(m_folder.path().c_str(), MNT_DETACH);
}

void PrintTo(const Command &command, std::ostream *out) { *out << command.name; }

INSTANTIATE_TEST_SUITE_P(Commands, SaveFailure, testing::ValuesIn(kCommands),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
