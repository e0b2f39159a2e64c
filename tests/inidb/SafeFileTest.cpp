#include "FaultFileSystem.h"
#include "TempFolder.h"

#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "inidb/SafeFile.h"
#include "inidb/WholeFileTools.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
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

// Runs write in a child process that holds no right to write where the folder forbids
// it (root would write anyway), and returns the error number it reported.
int errorNumberWithoutPrivileges(const std::function<IoStatus()> &write)
{
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(255);
        ::_exit(write().number & 0xff);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct FaultCase {
    FaultFileSystem::Step step;
    int number;
    const char *name;
};

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class SafeWriteFault : public testing::TestWithParam<FaultCase> {
protected:
    void SetUp() override
    {
        target = folder.file("velmoran.ini");
        WriteBytes(target, kOld);
        ::chmod(target.c_str(), 0640);
    }

    TempFolder folder;
    std::string target;
    FaultFileSystem faulty{GetParam().step, GetParam().number};
};

TEST_P(SafeWriteFault, LeavesTheTargetAsItWasAndNoTemporaryFile)
{
    const IoStatus status = WriteFileAtomically(faulty, target, kNew);
    EXPECT_EQ(status.number, GetParam().number);
    EXPECT_EQ(status.description, "Cannot write " + target + ": " + std::strerror(GetParam().number));
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(permissionsOf(target), 0640u);
    EXPECT_EQ(folder.listing(), "velmoran.ini\n");
}

TEST_P(SafeWriteFault, FailedSaveLeavesTheDocumentForAnotherTry)
{
    IniDocument doc;
    doc.IniPath = target;
    ASSERT_TRUE(LoadIniFile(doc).status.ok());
    doc.EntryTable[0].Name = "Edited";
    doc.EntryTable.push_back(doc.EntryTable[0]);
    doc.EntryTable[1].Removed = true;
    const IniDocument before = doc;
    struct NoResolver final : IniPathResolver {
        bool ResolveIniPath(const std::string &) override
        {
            ADD_FAILURE() << "a failed save must not record its path";
            return false;
        }
    } resolver;

    const SaveResult result = SaveIniFile(doc, target, {}, resolver, faulty);
    EXPECT_EQ(result.status.number, GetParam().number);
    EXPECT_EQ(doc.EntryTable, before.EntryTable);
    EXPECT_EQ(doc.IniPath, before.IniPath);
    EXPECT_EQ(doc.LoadGeneration, before.LoadGeneration);
    EXPECT_EQ(ReadBytes(target), kOld);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SafeWriteFault,
    testing::Values(FaultCase{FaultFileSystem::Step::CreateTempFile, EROFS, "ReadOnlyFileSystem"},
                    FaultCase{FaultFileSystem::Step::Write, ENOSPC, "DiskFull"},
                    FaultCase{FaultFileSystem::Step::SetPermissions, EPERM, "Permissions"},
                    FaultCase{FaultFileSystem::Step::Sync, EIO, "Flush"},
                    FaultCase{FaultFileSystem::Step::Close, EIO, "Close"},
                    FaultCase{FaultFileSystem::Step::Rename, EBUSY, "TargetLocked"}));

class SafeWrite : public testing::Test {
protected:
    TempFolder folder;
    FileSystem &real = DefaultFileSystem();
};

TEST_F(SafeWrite, ReplacesContentAndKeepsPermissionsOrGivesNewFilesTheUsualOnes)
{
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
    EXPECT_EQ(folder.listing(), "new.ini\nvelmoran.ini\n");
}

TEST_F(SafeWrite, LinkStaysALinkAndItsDestinationGetsTheContent)
{
    fs::create_directory(folder.file("real"));
    WriteBytes(folder.file("real/velmoran.ini"), kOld);
    fs::create_symlink("velmoran.ini", folder.file("real/middle.ini"));
    fs::create_symlink("real/middle.ini", folder.file("link.ini"));
    fs::create_symlink(folder.file("made.ini"), folder.file("dangling.ini"));

    ASSERT_TRUE(WriteFileAtomically(real, folder.file("link.ini"), kNew).ok());
    ASSERT_TRUE(WriteFileAtomically(real, folder.file("dangling.ini"), kNew).ok());
    EXPECT_EQ(fs::read_symlink(folder.file("link.ini")), "real/middle.ini");
    EXPECT_TRUE(fs::is_symlink(folder.file("real/middle.ini")));
    EXPECT_EQ(ReadBytes(folder.file("real/velmoran.ini")), kNew);
    EXPECT_TRUE(fs::is_symlink(folder.file("dangling.ini")));
    EXPECT_EQ(ReadBytes(folder.file("made.ini")), kNew);
    EXPECT_EQ(folder.listing(), "dangling.ini\nlink.ini\nmade.ini\nreal\n");
}

TEST_F(SafeWrite, MissingFolderOrFolderAsTargetFailsWithoutCreatingAnything)
{
    const std::string target = folder.file("absent/velmoran.ini");
    const IoStatus status = WriteFileAtomically(real, target, kNew);
    EXPECT_EQ(status.number, ENOENT);
    EXPECT_NE(status.description.find(target), std::string::npos);
    fs::create_directory(folder.file("velmoran.ini"));
    EXPECT_EQ(WriteFileAtomically(real, folder.file("velmoran.ini"), kNew).number, EISDIR);
    EXPECT_EQ(folder.listing(), "velmoran.ini\n");
    EXPECT_TRUE(fs::is_empty(folder.file("velmoran.ini")));
}

TEST_F(SafeWrite, ReadOnlyFolderLeavesTheTargetUntouched)
{
    const std::string locked = folder.file("locked");
    const std::string target = locked + "/velmoran.ini";
    fs::create_directory(locked);
    WriteBytes(target, kOld);
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(target.c_str(), 0666);
    ::chmod(locked.c_str(), 0555);

    EXPECT_EQ(errorNumberWithoutPrivileges([&] { return WriteFileAtomically(real, target, kNew); }), EACCES);
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}

TEST_F(SafeWrite, CopyReplacesTheTargetAndAMissingSourceChangesNothing)
{
    WriteBytes(folder.file("from.ini"), kNew);
    WriteBytes(folder.file("to.ini.bak"), kOld);
    const IoStatus status = CopyFileOver(real, folder.file("gone.ini"), folder.file("to.ini.bak"));
    EXPECT_EQ(status.number, ENOENT);
    EXPECT_NE(status.description.find(folder.file("gone.ini")), std::string::npos);
    EXPECT_EQ(ReadBytes(folder.file("to.ini.bak")), kOld);
    ASSERT_TRUE(CopyFileOver(real, folder.file("from.ini"), folder.file("to.ini.bak")).ok());
    EXPECT_EQ(ReadBytes(folder.file("to.ini.bak")), kNew);
}

TEST_F(SafeWrite, BackupCopiesTheFileOnDiskNotTheEditedTable)
{
    EXPECT_NE(BackupIniFile(IniDocument{}, folder.file("x.bak"), real).number, 0);
    IniDocument doc;
    doc.IniPath = folder.file("velmoran.ini");
    WriteBytes(doc.IniPath, kOld);
    ASSERT_TRUE(LoadIniFile(doc).status.ok());
    doc.EntryTable[0].Name = "Edited but not saved";
    ASSERT_TRUE(BackupIniFile(doc, folder.file("velmoran.ini.bak"), real).ok());
    EXPECT_EQ(ReadBytes(folder.file("velmoran.ini.bak")), kOld);
    EXPECT_EQ(folder.listing(), "velmoran.ini\nvelmoran.ini.bak\n");
}

TEST(WholeFileTools, UpperCasesEveryCrcOnlyInAsciiLetters)
{
    IniDocument doc;
    doc.EntryTable.resize(2);
    doc.EntryTable[0].CRC = "ab12cd-4a";
    doc.EntryTable[0].Name = "keep lower";
    doc.EntryTable[1].CRC = "\xe9x\xff";
    doc.EntryTable[1].Removed = true;
    UpperCaseCRCs(doc);
    EXPECT_EQ(doc.EntryTable[0].CRC, "AB12CD-4A");
    EXPECT_EQ(doc.EntryTable[0].Name, "keep lower");
    EXPECT_EQ(doc.EntryTable[1].CRC, "\xe9X\xff");
}

} // namespace
