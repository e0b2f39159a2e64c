// Every file-system call a save, a backup or a report write makes is made to fail in
// turn; whatever fails, nothing on disk or in memory may be lost.
#include "FaultFileSystem.h"
#include "SaveScene.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <set>

namespace {

class FaultAtEveryCall : public testing::TestWithParam<const SceneCommand *> {};

TEST_P(FaultAtEveryCall, LosesNothingAndTellsTheCaller)
{
    const SceneCommand &command = *GetParam();
    std::size_t calls = 0;
    {
        TempFolder folder;
        SaveScene scene(folder.path());
        FaultFileSystem counting(0, 0);
        ASSERT_TRUE(command.run(scene.doc(), scene.path(command.target), counting).status.ok());
        calls = counting.operations();
    }
    ASSERT_GE(calls, 8u) << "the safe write makes at least this many calls";

    for (const int number : {ENOSPC, EIO, EACCES}) {
        std::set<std::string> failedKinds;
        for (std::size_t failing = 1; failing <= calls; ++failing) {
            TempFolder folder;
            SaveScene scene(folder.path());
            FaultFileSystem faulty(failing, number);
            const CommandOutcome outcome = command.run(scene.doc(), scene.path(command.target), faulty);
            SCOPED_TRACE(std::string(std::strerror(number)) + " at call " + std::to_string(failing) + " ("
                         + faulty.failedOperation() + ")");
            ASSERT_FALSE(faulty.failedOperation().empty());
            failedKinds.insert(faulty.failedOperation());
            if (!outcome.status.ok()) {
                EXPECT_EQ(outcome.status.number, number);
                EXPECT_NE(outcome.status.description.find(folder.path()), std::string::npos);
                EXPECT_EQ(FolderBytes(folder.path()), scene.filesBefore());
                EXPECT_EQ(scene.documentChanges(), "");
                continue;
            }
            // Only two calls come after the new content is in place: flushing the folder,
            // which cannot undo the rename, and a save's reload of what it wrote.
            EXPECT_TRUE(faulty.failedOperation() == "SyncFolder" || faulty.failedOperation() == "ReadWholeFile");
            FileBytes expected = scene.filesBefore();
            expected[command.target] = command.written(scene);
            EXPECT_EQ(FolderBytes(folder.path()), expected);
            if (!outcome.reload.ok()) {
                EXPECT_EQ(outcome.reload.number, number);
                EXPECT_EQ(scene.doc().EntryTable, scene.docBefore().EntryTable) << "a failed reload keeps the table";
            }
        }
        std::cout << command.name << ", " << std::strerror(number) << ": " << calls << " fault points ("
                  << failedKinds.size() << " kinds of call)\n";
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultAtEveryCall,
                         testing::Values(&SceneCommands[0], &SceneCommands[1], &SceneCommands[2]),
                         [](const auto &info) { return std::string(info.param->name); });

} // namespace
