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

// A size-limited tmpfs on the folder, seen by this process only (the mounts are made private
// so none spreads to the rest of the machine); empty text on success, else why not.
std::string mountPrivateTmpfs(const std::string &folder)
{
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount("tamsic-test", folder.c_str(), "tmpfs", 0, "size=256k,mode=0755") != 0)
        return std::strerror(errno);
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
    // Runs the command against the real file system; it must fail with number, name the
    // target and change nothing on disk or in the document.
    void expectRefusedWithNothingLost(SaveScene &scene, const std::string &target, int number)
    {
        const FileBytes before = FolderBytes(m_folder.path());
        const CommandOutcome outcome = GetParam()->run(scene.doc(), target, DefaultFileSystem());
        EXPECT_EQ(outcome.status.number, number) << outcome.status.description;
        EXPECT_NE(outcome.status.description.find(target), std::string::npos) << outcome.status.description;
        EXPECT_EQ(FolderBytes(m_folder.path()), before);
        EXPECT_EQ(scene.documentChanges(), "");
    }

    TempFolder m_folder;
};

TEST_P(MountedFolder, MissingFullAndReadOnlyFileSystemsLoseNothing)
{
    {
        SaveScene scene(m_folder.path());
        expectRefusedWithNothingLost(scene, m_folder.file("absent/") + GetParam()->target, ENOENT);
    }
    const std::string why = mountPrivateTmpfs(m_folder.path());
    ASSERT_EQ(why, "") << "a small or read-only file system needs a private tmpfs";
    SaveScene scene(m_folder.path());
    fill(m_folder.file("filler"));
    expectRefusedWithNothingLost(scene, scene.path(GetParam()->target), ENOSPC);
    ASSERT_EQ(::mount(nullptr, m_folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    expectRefusedWithNothingLost(scene, scene.path(GetParam()->target), EROFS);
    // Unmounted first, so the folder itself can go.
    ::umount2(m_folder.path().c_str(), MNT_DETACH);
}

INSTANTIATE_TEST_SUITE_P(Commands, MountedFolder,
                         testing::Values(&SceneCommands[0], &SceneCommands[1], &SceneCommands[2]),
                         [](const auto &info) { return std::string(info.param->name); });

} // namespace
