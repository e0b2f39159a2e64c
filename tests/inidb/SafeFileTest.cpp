#include "FaultFileSystem.h"
#include "TempFolder.h"

#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "inidb/SafeFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOld = "{OLD-45}\r\nName=Old\r\nUCode=0\r\n\r\n";
constexpr std::string_view kNew = "{NEW-4A}\r\nName=New\r\nUCode=5\r\n\r\n";

unsigned permissionsOf(const std::string &path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

struct NoResolver final : IniPathResolver {
    bool ResolveIniPath(const std::string &) override
    {
        ADD_FAILURE() << "a failed save must not record its path";
        return false;
    }
};

// Whichever step of the safe write fails, the target keeps its bytes and permissions, no
// temporary file stays, the error names the file, and the document stays for another try.
TEST(SafeWriteFault, LeavesTheTargetTheFolderAndTheDocumentAsTheyWere)
{
    using Step = FaultFileSystem::Step;
    const std::pair<Step, int> faults[] = {{Step::CreateTempFile, EROFS}, {Step::Write, ENOSPC},
                                           {Step::SetPermissions, EPERM}, {Step::Sync, EIO},
                                           {Step::Close, EIO},            {Step::Rename, EBUSY}};
    for (const auto &[step, number] : faults) {
        SCOPED_TRACE(std::strerror(number));
        TempFolder folder;
        const std::string target = folder.file("velmoran.ini");
        WriteBytes(target, kOld);
        ::chmod(target.c_str(), 0640);
        FaultFileSystem faulty(step, number);
        const IoStatus status = WriteFileAtomically(faulty, target, kNew);
        EXPECT_EQ(status.number, number);
        EXPECT_EQ(status.description, "Cannot write " + target + ": " + std::strerror(number));
        EXPECT_EQ(permissionsOf(target), 0640u);
        EXPECT_EQ(folder.listing(), "velmoran.ini\n");

        IniDocument doc;
        doc.IniPath = target;
        ASSERT_TRUE(LoadIniFile(doc).status.ok());
        doc.EntryTable[0].Name = "Edited";
        doc.EntryTable.push_back(doc.EntryTable[0]);
        doc.EntryTable[1].Removed = true;
        const IniDocument before = doc;
        NoResolver resolver;
        FaultFileSystem again(step, number);
        EXPECT_EQ(SaveIniFile(doc, target, {}, resolver, again).status.number, number);
        EXPECT_EQ(doc.EntryTable, before.EntryTable);
        EXPECT_EQ(doc.LoadGeneration, before.LoadGeneration);
        EXPECT_EQ(ReadBytes(target), kOld);
    }
}

// A replaced file keeps its permissions, a new one gets the usual ones; a link (of links,
// or dangling) stays a link and its destination gets the content.
TEST(SafeWrite, KeepsPermissionsAndLinks)
{
    TempFolder folder;
    FileSystem &real = DefaultFileSystem();
    const std::string target = folder.file("velmoran.ini");
    WriteBytes(target, kOld);
    ::chmod(target.c_str(), 0604);
    const mode_t previous = ::umask(027);
    const bool replaced = WriteFileAtomically(real, target, kNew).ok();
    const bool created = WriteFileAtomically(real, folder.file("new.ini"), kNew).ok();
    ::umask(previous);
    ASSERT_TRUE(replaced && created);
    EXPECT_EQ(ReadBytes(target), kNew);
    EXPECT_EQ(permissionsOf(target), 0604u);
    EXPECT_EQ(permissionsOf(folder.file("new.ini")), 0640u);

    fs::create_directory(folder.file("real"));
    fs::create_symlink("velmoran.ini", folder.file("real/middle.ini"));
    fs::create_symlink("real/middle.ini", folder.file("link.ini"));
    fs::create_symlink(folder.file("made.ini"), folder.file("dangling.ini"));
    ASSERT_TRUE(WriteFileAtomically(real, folder.file("link.ini"), kOld).ok());
    ASSERT_TRUE(WriteFileAtomically(real, folder.file("dangling.ini"), kOld).ok());
    EXPECT_EQ(fs::read_symlink(folder.file("link.ini")), "real/middle.ini");
    EXPECT_TRUE(fs::is_symlink(folder.file("real/middle.ini")));
    EXPECT_EQ(ReadBytes(folder.file("real/velmoran.ini")), kOld);
    EXPECT_TRUE(fs::is_symlink(folder.file("dangling.ini")));
    EXPECT_EQ(ReadBytes(folder.file("made.ini")), kOld);
    EXPECT_EQ(folder.listing(), "dangling.ini\nlink.ini\nmade.ini\nnew.ini\nreal\nvelmoran.ini\n");
}

// A missing folder, a folder as the target, and a read-only folder (in a child process without
// privileges: root would write anyway) fail and leave everything as it was.
TEST(SafeWrite, UnwritablePlacesFailWithoutChangingAnything)
{
    TempFolder folder;
    FileSystem &real = DefaultFileSystem();
    const std::string absent = folder.file("absent/velmoran.ini");
    const IoStatus status = WriteFileAtomically(real, absent, kNew);
    EXPECT_EQ(status.number, ENOENT);
    EXPECT_NE(status.description.find(absent), std::string::npos);
    fs::create_directory(folder.file("velmoran.ini"));
    EXPECT_EQ(WriteFileAtomically(real, folder.file("velmoran.ini"), kNew).number, EISDIR);
    EXPECT_TRUE(fs::is_empty(folder.file("velmoran.ini")));

    const std::string locked = folder.file("locked");
    const std::string target = locked + "/velmoran.ini";
    fs::create_directory(locked);
    WriteBytes(target, kOld);
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(target.c_str(), 0666);
    ::chmod(locked.c_str(), 0555);
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(255);
        ::_exit(WriteFileAtomically(real, target, kNew).number & 0xff);
    }
    int end = 0;
    ::waitpid(child, &end, 0);
    EXPECT_EQ(WIFEXITED(end) ? WEXITSTATUS(end) : -1, EACCES);
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(folder.listing(), "locked\nvelmoran.ini\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}

} // namespace
