// The same commands against real failures: a small file system that is full, one that
// is mounted read-only, and a folder that does not exist. Root writes into folders whose
// permissions forbid it, so a read-only mount is the only read-only folder that holds
// for every user; the mounts live in a private mount namespace and vanish with the test.
#include "SaveScene.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

std::string commandName(const testing::TestParamInfo<const SceneCommand *> &info)
{
    return info.param->name;
}

auto allCommands()
{
    return testing::Values(&SceneCommands[0], &SceneCommands[1], &SceneCommands[2]);
}

// A size-limited tmpfs on a fresh folder, seen by this process only; empty text on
// success, else why it could not be had.
std::string mountPrivateTmpfs(const std::string &folder)
{
    if (::unshare(CLONE_NEWNS) != 0)
        return std::string("no private mount namespace: ") + std::strerror(errno);
    // Keep the mount from spreading to the rest of the machine.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("cannot make the mounts private: ") + std::strerror(errno);
    if (::mount("tamsic-test", folder.c_str(), "tmpfs", 0, "size=256k,mode=0755") != 0)
        return std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    return {};
}

// Writes to the file system until it has no room left.
void fill(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

class MountedFolder : public testing::TestWithParam<const SceneCommand *> {
protected:
    void SetUp() override
    {
        if (const std::string why = mountPrivateTmpfs(m_folder.path()); !why.empty())
            GTEST_SKIP() << "a small or read-only file system needs a private tmpfs, which this machine refuses ("
                         << why << "); the injected faults still cover these steps";
        m_mounted = true;
    }

    // Unmounted first, so the folder itself can go.
    void TearDown() override
    {
        if (m_mounted)
            ::umount2(m_folder.path().c_str(), MNT_DETACH);
    }

    // Runs the command against the real file system; it must fail with number and change nothing.
    void expectRefusedWithNothingLost(SaveScene &scene, int number)
    {
        const FileBytes before = FolderBytes(m_folder.path());
        const std::string target = scene.path(GetParam()->target);
        const CommandOutcome outcome = GetParam()->run(scene.doc(), target, DefaultFileSystem());
        EXPECT_EQ(outcome.status.number, number) << outcome.status.description;
        EXPECT_NE(outcome.status.description.find(target), std::string::npos) << outcome.status.description;
        EXPECT_EQ(FolderBytes(m_folder.path()), before);
        EXPECT_EQ(scene.documentChanges(), "");
    }

    TempFolder m_folder;
    bool m_mounted = false;
};

TEST_P(MountedFolder, FullFileSystem)
{
    SaveScene scene(m_folder.path());
    fill(m_folder.file("filler"));
    expectRefusedWithNothingLost(scene, ENOSPC);
}

TEST_P(MountedFolder, ReadOnlyFileSystem)
{
    SaveScene scene(m_folder.path());
    ASSERT_EQ(::mount(nullptr, m_folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    expectRefusedWithNothingLost(scene, EROFS);
}

INSTANTIATE_TEST_SUITE_P(Commands, MountedFolder, allCommands(), commandName);

class MissingFolder : public testing::TestWithParam<const SceneCommand *> {};

TEST_P(MissingFolder, FailsWithoutCreatingAnything)
{
    TempFolder folder;
    SaveScene scene(folder.path());
    const std::string target = folder.file("absent/") + GetParam()->target;
    const CommandOutcome outcome = GetParam()->run(scene.doc(), target, DefaultFileSystem());
    EXPECT_EQ(outcome.status.number, ENOENT);
    EXPECT_NE(outcome.status.description.find(target), std::string::npos) << outcome.status.description;
    EXPECT_EQ(FolderBytes(folder.path()), scene.filesBefore());
    EXPECT_EQ(scene.documentChanges(), "");
}

INSTANTIATE_TEST_SUITE_P(Commands, MissingFolder, allCommands(), commandName);

} // namespace
