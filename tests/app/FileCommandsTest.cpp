#include "AppHarness.h"

#include "ModalDriver.h"
#include "TestText.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

using FileCommands = OpenedSample;

// Save As writes the file anew and makes it the current one; Open loads another file
// without a question.
TEST_F(FileCommands, SaveAsAndOpenSwitchToTheirFile)
{
    const std::string copy = h.path("copy.ini");
    const std::string other = h.writeOther();
    h.ui.fileAnswers = {QString::fromStdString(copy), QString::fromStdString(other)};
    h.window->saveAsCommand();
    EXPECT_EQ(readFile(copy), sampleIni());
    EXPECT_EQ(h.setting("IniPath"), copy);

    h.window->openCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("Other Game"));
    EXPECT_EQ(h.setting("IniPath"), other);
    EXPECT_TRUE(h.ui.shown.size() == 2u && h.ui.busyDepth == 0);
}

// A cancelled or failed Save As, or an Open of a file that cannot be read, keeps the open
// file, its setting, its caption and every entry.
TEST_F(FileCommands, UnfinishedCommandsKeepEverything)
{
    const std::pair<const char *, const char *> unfinished[] = {
        {"mnuSaveAs", nullptr}, {"mnuSaveAs", "missing/velmoran.ini"}, {"mnuOpen", "gone.ini"}};
    h.doc.EntryTable[1].Removed = true;
    for (const auto &[command, answer] : unfinished) {
        SCOPED_TRACE(command);
        h.ui.shown.clear();
        h.ui.fileAnswers = {answer ? std::optional(QString::fromStdString(h.path(answer))) : std::nullopt};
        h.action(command)->trigger();
        ASSERT_EQ(h.ui.errors().size(), answer ? 1u : 0u);
        EXPECT_EQ(h.doc.IniPath, iniPath);
        EXPECT_EQ(h.setting("IniPath"), iniPath);
        EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
        EXPECT_EQ(h.doc.EntryTable.size(), 4u);
        EXPECT_EQ(readFile(iniPath), sampleIni());
        EXPECT_EQ(h.ui.busyDepth, 0);
    }
}

// Lines that could not be read are told at the load in one message (the first few, each
// cut short), not again at every save's reload, and still written back; reading the file
// afresh tells them again.
TEST_F(FileCommands, LinesThatCouldNotBeReadAreToldOncePerLoadInOneMessage)
{
    std::string bad = sampleIni(), saved = sampleIni();
    for (int i = 0; i < 12; ++i) {
        const std::string crc = "{000000" + std::to_string(10 + i) + "-00000000-C:45}\r\nName=Bad\r\nUCode=";
        const std::string value = "many" + std::string(i == 0 ? 100000 : 0, 'y');
        bad += crc + value + "\r\n\r\n";
        saved += crc + "0\r\nUCode=" + value + "\r\n\r\n";
    }
    writeFile(iniPath, bad);
    h.window->loadIniFile();
    ASSERT_EQ(h.ui.errors().size(), 1u);
    const QString message = h.ui.errors()[0].text;
    EXPECT_TRUE(message.startsWith(QStringLiteral("12 line(s) of ")) && message.endsWith(QStringLiteral("and 2 more.")));
    EXPECT_LT(message.size(), 2500);
    EXPECT_TRUE(message.contains(QStringLiteral("yyy") + QChar(0x2026) + QStringLiteral(" (UCode 0 ")));
    h.window->saveCommand();
    EXPECT_EQ(h.ui.errors().size(), 1u);
    EXPECT_EQ(readFile(iniPath), saved);
    h.window->loadIniFile();
    EXPECT_EQ(h.ui.errors().size(), 2u);
}

// A removal, Convert CRCs and an edit each mark the caption until the next save.
TEST_F(FileCommands, EachChangeMarksTheCaptionUntilSavedOrUndone)
{
    // OK without a change is no change.
    whenModal<QDialog>([](QDialog *dialog) { dialog->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click(); });
    h.window->viewRomPropertiesCommand();
    EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
    const std::function<void()> changes[] = {
        [&] { h.window->removeRomEntryCommand(); }, [&] { h.window->crcToUpperCaseCommand(); },
        [&] {
            whenModal<QDialog>([](QDialog *dialog) {
                dialog->findChild<QLineEdit *>(QStringLiteral("txtInfo"))->setText(QStringLiteral("Edited"));
                dialog->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
            });
            h.window->viewRomPropertiesCommand();
        }};
    for (const auto &change : changes) {
        h.ui.yesNoAnswers = {true};
        change();
        EXPECT_EQ(h.window->windowTitle(), QLatin1Char('*') + captionFor(iniPath));
        h.window->saveCommand();
        EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
    }
    EXPECT_NE(readFile(iniPath).find("Info=Edited"), std::string::npos);
    // The saved state is the clean one: away from it and back again.
    h.action("mnuUndoStep")->trigger();
    EXPECT_EQ(h.window->windowTitle(), QLatin1Char('*') + captionFor(iniPath));
    h.action("mnuRedoStep")->trigger();
    EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
}

// With a change unsaved Open asks first: Cancel keeps the table, Yes saves it, No drops it.
TEST_F(FileCommands, OpenAsksToSaveChangesAndCancelKeepsTheTable)
{
    const std::string other = h.writeOther();
    for (const auto answer : {UserInterface::Answer::Cancel, UserInterface::Answer::No, UserInterface::Answer::Yes}) {
        const bool cancel = answer == UserInterface::Answer::Cancel;
        writeFile(iniPath, sampleIni());
        h.openWindow(iniPath);
        h.ui.yesNoAnswers = {true};
        h.window->removeRomEntryCommand();
        h.ui.yesNoCancelAnswers = {answer};
        h.ui.fileAnswers = {QString::fromStdString(other)};
        h.window->openCommand();
        EXPECT_EQ(h.ui.questions().back().text, QStringLiteral("Save changes to %1?").arg(QString::fromStdString(iniPath)));
        EXPECT_EQ(h.window->windowTitle(), cancel ? QLatin1Char('*') + captionFor(iniPath) : captionFor(other));
        EXPECT_EQ(readFile(iniPath) == sampleIni(), answer != UserInterface::Answer::Yes);
    }
}

// Closing without unsaved changes ends at once. With one it asks: Cancel stays, No closes
// without saving, Yes saves, and a failed save shows why and stays open.
TEST_F(FileCommands, ClosingAsksOnlyAboutUnsavedChangesAndSavesOnlyOnYes)
{
    using Answer = UserInterface::Answer;
    h.action("mnuExit")->trigger();
    EXPECT_FALSE(h.window->isVisible());
    EXPECT_TRUE(h.ui.questions().empty());
    h.window->show();
    RomEntry changed = h.doc.EntryTable[0];
    changed.Comment = Text("Changed");
    for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
        writeFile(iniPath, sampleIni());
        h.window->session().editEntry(0, changed);
        h.ui.yesNoCancelAnswers = {answer};
        h.action("mnuExit")->trigger();
        EXPECT_EQ(h.window->isVisible(), answer == Answer::Cancel);
        EXPECT_EQ(readFile(iniPath).find("Comment=Changed\r\n") != std::string::npos, answer == Answer::Yes);
        h.window->show();
    }
    h.doc.IniPath = h.path("no-such-folder/velmoran.ini");
    h.window->session().history().undo();
    h.ui.yesNoCancelAnswers = {Answer::Yes};
    h.window->close();
    EXPECT_TRUE(h.window->isVisible());
    ASSERT_EQ(h.ui.errors().size(), 1u);
    EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
    EXPECT_EQ(h.ui.busyDepth, 0);
}
