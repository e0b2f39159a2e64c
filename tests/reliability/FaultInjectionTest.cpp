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

struct FaultCase {
    const SceneCommand *command;
    int number;
};

void PrintTo(const FaultCase &fault, std::ostream *out)
{
    *out << fault.command->name << (fault.number == ENOSPC ? "DiskFull" : fault.number == EIO ? "IoError" : "Denied");
}

std::string caseName(const testing::TestParamInfo<FaultCase> &info)
{
    return testing::PrintToString(info.param);
}

// How many calls the command makes when nothing fails.
std::size_t callsWithoutFault(const SceneCommand &command)
{
    TempFolder folder;
    SaveScene scene(folder.path());
    FaultFileSystem counting(0, 0);
    EXPECT_TRUE(command.run(scene.doc(), scene.path(command.target), counting).status.ok());
    return counting.operations();
}

class FaultAtEveryCall : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultAtEveryCall, LosesNothingAndTellsTheCaller)
{
    const SceneCommand &command = *GetParam().command;
    const int number = GetParam().number;
    const std::size_t calls = callsWithoutFault(command);
    ASSERT_GE(calls, 8u) << "the safe write makes at least this many calls";

    std::set<std::string> failedKinds;
    for (std::size_t failing = 1; failing <= calls; ++failing) {
        TempFolder folder;
        SaveScene scene(folder.path());
        const std::string target = scene.path(command.target);
        FaultFileSystem faulty(failing, number);
        const CommandOutcome outcome = command.run(scene.doc(), target, faulty);
        SCOPED_TRACE("call " + std::to_string(failing) + " (" + faulty.failedOperation() + ") fails");
        ASSERT_FALSE(faulty.failedOperation().empty());
        failedKinds.insert(faulty.failedOperation());

        if (!outcome.status.ok()) {
            EXPECT_EQ(outcome.status.number, number);
            EXPECT_NE(outcome.status.description.find(folder.path()), std::string::npos)
                << outcome.status.description;
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
            EXPECT_FALSE(outcome.reload.description.empty());
            EXPECT_EQ(scene.doc().EntryTable, scene.docBefore().EntryTable) << "a failed reload keeps the table";
        }
    }
    // The figure for the record: how many fault points were tried.
    std::cout << command.name << ", " << std::strerror(number) << ": " << calls << " fault points ("
              << failedKinds.size() << " kinds of call)\n";
}

std::vector<FaultCase> allCases()
{
    std::vector<FaultCase> cases;
    for (const SceneCommand &command : SceneCommands) {
        for (int number : {ENOSPC, EIO, EACCES})
            cases.push_back({&command, number});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultAtEveryCall, testing::ValuesIn(allCases()), caseName);

} // namespace
