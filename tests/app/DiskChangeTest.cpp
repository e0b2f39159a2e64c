#include "AppHarness.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

using DiskChange = OpenedSample;
using Answer = UserInterface::Answer;

const std::string Appended = iniBlock("12345678-9ABCDEF0-C:45", "Outside Game", 5, "Playable");

QString changedText(const std::string &path)
{
    return QString::fromStdString(path) + QStringLiteral(" was changed by another program since you opened it.");
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

// Another program appends a block between the load and each way of saving: the save asks
// first, Cancel writes nothing (and keeps the window open), Overwrite writes the table.
TEST_F(DiskChange, ASaveOverAnOutsideChangeAsksAndCancelWritesNothing)
{
    const std::pair<const char *, std::function<void()>> routes[] = {
        {"Ctrl+S", [&] { QTest::keyClick(h.window.get(), Qt::Key_S, Qt::ControlModifier); }},
        {"Save As the open file",
         [&] {
             h.ui.fileAnswers = {QString::fromStdString(iniPath)};
             h.action("mnuSaveAs")->trigger();
         }},
        {"Exit, Yes",
         [&] {
             h.ui.yesNoCancelAnswers = {Answer::Yes};
             h.window->close();
         }}};
    const std::string zelda = iniBlock("1A2B3C4D-5E6F7A8B-C:45", "Zelda Quest", 5, "Playable");
    std::string withoutZelda = sampleIni();
    withoutZelda.erase(withoutZelda.find(zelda), zelda.size());
    for (const auto &[route, save] : routes) {
        for (const QString &answer : {QStringLiteral("Cancel"), QStringLiteral("Overwrite")}) {
            SCOPED_TRACE(route + (" / " + answer.toStdString()));
            writeFile(iniPath, sampleIni());
            h.openWindow(iniPath);
            h.ui.yesNoAnswers = {true};
            h.window->removeRomEntryCommand();
            writeFile(iniPath, sampleIni() + Appended);
            h.ui.shown.clear();
            h.ui.choiceAnswers = {answer};
            save();
            ASSERT_EQ(h.ui.questions().size(), route[0] == 'E' ? 2u : 1u);
            EXPECT_EQ(h.ui.questions().back().text, changedText(iniPath));
            EXPECT_EQ(h.ui.questions().back().answers, QStringList({QStringLiteral("Overwrite"), QStringLiteral("Cancel")}));
            const bool cancelled = answer == QStringLiteral("Cancel");
            EXPECT_EQ(readFile(iniPath), cancelled ? sampleIni() + Appended : withoutZelda);
            EXPECT_EQ(h.window->isVisible(), cancelled || route[0] != 'E');
            EXPECT_EQ(h.window->windowTitle().startsWith(QLatin1Char('*')), cancelled);
        }
    }
}

// A file whose time changed but whose bytes did not is saved without a question; a file
// removed meanwhile is told before it is written again.
TEST_F(DiskChange, ATouchAsksNothingAndARemovalIsTold)
{
    std::filesystem::last_write_time(iniPath, std::filesystem::last_write_time(iniPath) + std::chrono::seconds(1));
    comeBack(h);
    h.window->saveCommand();
    EXPECT_TRUE(h.ui.questions().empty());

    for (const QString &answer : {QStringLiteral("Cancel"), QStringLiteral("Save")}) {
        std::filesystem::remove(iniPath);
        h.ui.shown.clear();
        h.ui.choiceAnswers = {answer};
        h.window->saveCommand();
        ASSERT_EQ(h.ui.questions().size(), 1u);
        EXPECT_TRUE(h.ui.questions()[0].text.contains(QStringLiteral("was deleted or moved by another program")));
        EXPECT_EQ(std::filesystem::exists(iniPath), answer == QStringLiteral("Save"));
    }
    EXPECT_EQ(readFile(iniPath), sampleIni());
}

// Back in the window after an outside change: without unsaved changes it offers to read
// the file again, with them it tells the user; either only once per change.
TEST_F(DiskChange, ComingBackOffersToReloadOncePerChange)
{
    writeFile(iniPath, sampleIni() + Appended);
    h.ui.yesNoAnswers = {true};
    comeBack(h);
    ASSERT_EQ(h.ui.questions().size(), 1u);
    EXPECT_EQ(h.ui.questions()[0].text,
              QString::fromStdString(iniPath) + QStringLiteral(" was changed by another program. Reload it?"));
    EXPECT_TRUE(h.column(0).endsWith(QStringLiteral("|Outside Game")));
    comeBack(h);

    h.ui.yesNoAnswers = {true};
    h.window->removeRomEntryCommand();
    writeFile(iniPath, sampleIni());
    h.ui.choiceAnswers = {QStringLiteral("OK")};
    comeBack(h);
    comeBack(h);
    ASSERT_EQ(h.ui.questions().size(), 3u);
    EXPECT_TRUE(h.ui.questions()[2].text.contains(QStringLiteral("Your changes are not saved yet")));
    EXPECT_EQ(h.window->model().rowCount(), 4);
}

} // namespace
