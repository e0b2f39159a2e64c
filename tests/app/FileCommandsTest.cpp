#include "AppHarness.h"

#include <gtest/gtest.h>

using FileCommands = OpenedSample;

// Save writes the displayed order when asked and reloads; Save As makes the new file the
// current one; Open loads another file without a question.
TEST_F(FileCommands, SaveSaveAsAndOpenSwitchToTheirFile)
{
    h.doc.SaveType = 1;
    h.window->proxy().headerClicked(0);
    h.window->tlbMain_ButtonClick(QStringLiteral("Save"));
    const std::string saved = readFile(iniPath);
    EXPECT_LT(saved.find("Name=alpha Racer"), saved.find("Name=Bravo"));
    EXPECT_LT(saved.find("Name=Mega Kart"), saved.find("Name=Zelda Quest"));
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Bravo|Mega Kart|Zelda Quest"));

    const std::string copy = h.path("copy.ini");
    const std::string other = h.path("other.ini");
    writeFile(other, iniBlock("12345678-9ABCDEF0-C:46", "Francais", 5, "Playable"));
    h.ui.fileAnswers = {QString::fromStdString(copy), QString::fromStdString(other)};
    h.window->saveAsCommand();
    EXPECT_EQ(readFile(copy), saved);
    EXPECT_EQ(h.setting("IniPath"), copy);
    EXPECT_EQ(h.window->windowTitle(), captionFor(copy));

    h.window->tlbMain_ButtonClick(QStringLiteral("Open"));
    EXPECT_EQ(h.column(0), QStringLiteral("Francais"));
    EXPECT_EQ(h.status(), QStringLiteral("1 ROM Details"));
    EXPECT_EQ(h.window->windowTitle(), captionFor(other));
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
        if (answer) {
            EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
        }
        EXPECT_EQ(h.doc.IniPath, iniPath);
        EXPECT_EQ(h.setting("IniPath"), iniPath);
        EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
        EXPECT_EQ(h.doc.EntryTable.size(), 4u);
        EXPECT_EQ(readFile(iniPath), sampleIni());
        EXPECT_EQ(h.ui.busyDepth, 0);
    }
}

TEST_F(FileCommands, LinesThatCouldNotBeReadAreToldOnceInOneMessage)
{
    const std::string other = h.path("bad.ini");
    std::string bad = sampleIni();
    for (int i = 0; i < 7; ++i)
        bad += "{0000000" + std::to_string(i) + "-00000000-C:45}\r\nName=Bad\r\nUCode=many\r\n\r\n";
    writeFile(other, bad);
    h.ui.fileAnswers = {QString::fromStdString(other)};
    h.window->openCommand();
    ASSERT_EQ(h.ui.errors().size(), 1u);
    const QString text = h.ui.errors()[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("7 line(s) of ")));
    EXPECT_EQ(text.count(QStringLiteral("UCode=many")), 5);
    EXPECT_TRUE(text.endsWith(QStringLiteral("... and 2 more.")));
    EXPECT_EQ(h.window->model().rowCount(), 11);
}
