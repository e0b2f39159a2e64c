#include "AppHarness.h"

#include "ModalDriver.h"
#include "app/MergeDialog.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

using DiskChange = OpenedSample;

const std::string Appended = iniBlock("12345678-9ABCDEF0-C:45", "Outside Game", 5, "Playable");
const QString Overwrite = QStringLiteral("Overwrite");
const QString Cancel = QStringLiteral("Cancel");
const QString Merge = QStringLiteral("Merge");

// OK (or Cancel) in the merge dialog, keeping what it offers by default.
void answerMerge(bool ok = true)
{
    whenModal<MergeDialog>([ok](MergeDialog *dialog) { ok ? dialog->accept() : dialog->reject(); });
}

void touch(const std::string &path)
{
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
}

// The user goes to another program and comes back to the window.
void comeBack(AppHarness &h)
{
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    h.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
    QApplication::processEvents();
}

// Another program appends a block, or edits a line keeping the size, between the load and
// each way of saving (Ctrl+S, Save As the open file, Exit's Yes): the save asks first;
// Cancel writes nothing and keeps the window, Overwrite writes the table (Bravo removed,
// so that Exit has changes to offer), Merge writes both changes, or nothing when the
// merge dialog is cancelled.
TEST_F(DiskChange, ASaveOverAnOutsideChangeAsksAndCancelWritesNothing)
{
    const std::function<void()> saves[] = {
        [&] { QTest::keyClick(h.window.get(), Qt::Key_S, Qt::ControlModifier); },
        [&] { h.ui.fileAnswers = {QString::fromStdString(iniPath)}; h.action("mnuSaveAs")->trigger(); },
        [&] { h.ui.yesNoCancelAnswers = {UserInterface::Answer::Yes}; h.window->close(); }};
    std::string edited = sampleIni();
    edited[edited.find("Zelda")] = 'W';
    std::string ours = sampleIni();
    ours.erase(ours.find(iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work")));
    for (const auto &save : saves) {
        for (const std::string &theirs : {sampleIni() + Appended, edited}) {
            std::string merged = theirs;
            merged.erase(merged.find(iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work")),
                         iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work").size());
            for (const auto &[answer, mergeOk] : {std::pair(Cancel, false), std::pair(Overwrite, false),
                                                  std::pair(Merge, true), std::pair(Merge, false)}) {
                writeFile(iniPath, sampleIni());
                h.openWindow(iniPath);
                h.window->session().removeEntries({3});
                writeFile(iniPath, theirs);
                touch(iniPath);
                h.ui.choiceAnswers = {answer};
                if (answer == Merge)
                    answerMerge(mergeOk);
                save();
                EXPECT_EQ(h.ui.questions().back().text,
                          QString::fromStdString(iniPath)
                              + QStringLiteral(" was changed by another program since you opened it."));
                EXPECT_EQ(h.ui.questions().back().answers, QStringList({Merge, Overwrite, Cancel}));
                const bool written = answer == Overwrite || mergeOk;
                EXPECT_EQ(readFile(iniPath), !written ? theirs : answer == Overwrite ? ours : merged);
                EXPECT_TRUE(h.window->isVisible() || written);
                // Asked once: coming back to the window asks nothing more.
                if (h.window->isVisible())
                    comeBack(h);
            }
        }
    }
}

// A file whose time changed but whose bytes did not (since the load, then since a save) is
// saved without a question; a file removed meanwhile is told before it is written again.
TEST_F(DiskChange, ATouchAsksNothingAndARemovalIsTold)
{
    for (int save = 0; save < 2; ++save) {
        touch(iniPath);
        h.window->saveCommand();
    }
    for (const QString &answer : {Cancel, QStringLiteral("Save")}) {
        std::filesystem::remove(iniPath);
        h.ui.choiceAnswers = {answer};
        h.window->saveCommand();
        EXPECT_TRUE(h.ui.questions().back().text.contains(QStringLiteral("was deleted or moved by another program")));
        EXPECT_EQ(std::filesystem::exists(iniPath), answer != Cancel);
    }
}

// Back in the window after an outside change: without unsaved changes it offers to read
// the file again, with them it tells the user; either only once per change.
TEST_F(DiskChange, ComingBackOffersToReloadOncePerChange)
{
    writeFile(iniPath, sampleIni() + Appended);
    h.ui.yesNoAnswers = {true};
    comeBack(h);
    comeBack(h);
    EXPECT_EQ(h.ui.questions().at(0).text,
              QString::fromStdString(iniPath) + QStringLiteral(" was changed by another program. Reload it?"));
    EXPECT_TRUE(h.column(0).endsWith(QStringLiteral("|Outside Game")));

    h.ui.yesNoAnswers = {true};
    h.window->removeRomEntryCommand();
    writeFile(iniPath, sampleIni());
    h.ui.choiceAnswers = {QStringLiteral("Later")};
    comeBack(h);
    comeBack(h);
    EXPECT_TRUE(h.ui.questions().at(2).text.contains(QStringLiteral("Your changes are not saved yet")));
    EXPECT_EQ(h.window->model().rowCount(), 4);
}

// Back in the window with Bravo removed and a block appended outside: Merge brings the
// block into the list, and the save that follows writes both without asking again. With
// the merge undone the table no longer holds the block: the save asks again instead of
// writing over it.
TEST_F(DiskChange, ComingBackWithUnsavedChangesMerges)
{
    std::string both = sampleIni() + Appended;
    both.erase(both.find("{99AABBCC"), iniBlock("99AABBCC-DDEEFF00-C:44", "Bravo", 5, "Doesn't Work").size());
    for (const bool undone : {false, true}) {
        writeFile(iniPath, sampleIni());
        h.openWindow(iniPath);
        h.window->session().removeEntries({3});
        comeBack(h);
        writeFile(iniPath, sampleIni() + Appended);
        h.ui.choiceAnswers = {Merge};
        answerMerge();
        comeBack(h);
        EXPECT_EQ(h.column(0), QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Outside Game"));
        if (undone)
            h.window->session().history().undo();
        h.ui.choiceAnswers = {Cancel};
        const std::size_t asked = h.ui.questions().size();
        h.window->saveCommand();
        EXPECT_EQ(h.ui.questions().size(), asked + (undone ? 1 : 0));
        EXPECT_EQ(readFile(iniPath), undone ? sampleIni() + Appended : both);
    }
}

} // namespace
