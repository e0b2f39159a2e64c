// Failures of each step of the safe write are the save-failure test's; here what a
// write that succeeds, or is refused at once, leaves on disk.
#include "TempFolder.h"

#include "inidb/FileSystem.h"
#include "inidb/SafeFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
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

// A replaced file keeps its permissions, a new one gets the usual ones; a link (of links,
// or dangling) stays a link and its destination gets the content; a folder is no target.
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

    fs::create_directory(folder.file("folder.ini"));
    EXPECT_EQ(WriteFileAtomically(real, folder.file("folder.ini"), kNew).number, EISDIR);
    EXPECT_TRUE(fs::is_empty(folder.file("folder.ini")));
    EXPECT_EQ(folder.listing(), "dangling.ini\nfolder.ini\nlink.ini\nmade.ini\nnew.ini\nreal\nvelmoran.ini\n");
}

// Saved as root, a file keeps its owner, group and mode, whoever they belong to.
TEST(SafeWrite, KeepsOwnerGroupAndModeAsRoot)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file away";
    TempFolder folder;
    const std::string target = folder.file("velmoran.ini");
    const struct {
        unsigned owner, group, mode;
    } cases[] = {{65534, 65534, 0600}, {65534, 0, 0640}, {0, 65534, 0444}, {1, 1, 02664}};
    for (const auto &c : cases) {
        WriteBytes(target, kOld);
        ASSERT_TRUE(::chown(target.c_str(), c.owner, c.group) == 0 && ::chmod(target.c_str(), c.mode) == 0);
        ASSERT_TRUE(WriteFileAtomically(DefaultFileSystem(), target, kNew).ok());
        struct stat info {};
        ::stat(target.c_str(), &info);
        EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777), std::tuple(c.owner, c.group, c.mode));
        EXPECT_EQ(ReadBytes(target), kNew);
    }
}

// What a killed save left beside its target goes with the next save; a temporary file a
// running save holds, another target's, a link and names not made by the save stay.
TEST(SafeWrite, RemovesOnlyTheTemporaryFilesAKilledWriteLeft)
{
    TempFolder folder;
    for (const char *name : {".velmoran.ini.tmp-k1lled00", ".velmoran.ini.tmp-KILLED00", ".velmoran.ini.tmp-short",
                             ".other.ini.tmp-k1lled00", ".velmoran.ini.tmp-busy0000", "kept"})
        WriteBytes(folder.file(name), "left");
    fs::create_symlink("kept", folder.file(".velmoran.ini.tmp-link0000"));
    const int busy = ::open(folder.file(".velmoran.ini.tmp-busy0000").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    ASSERT_TRUE(WriteFileAtomically(DefaultFileSystem(), folder.file("velmoran.ini"), kNew).ok());
    ::close(busy);
    EXPECT_EQ(folder.listing(), ".other.ini.tmp-k1lled00\n.velmoran.ini.tmp-KILLED00\n.velmoran.ini.tmp-busy0000\n"
                                ".velmoran.ini.tmp-link0000\n.velmoran.ini.tmp-short\nkept\nvelmoran.ini\n");
}

} // namespace
