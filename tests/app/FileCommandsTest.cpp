#include "AppHarness.h"

#include <gtest/gtest.h>

using FileCommands = OpenedSample;

TEST_F(FileCommands, SaveWritesTheDisplayedOrderWhenAskedAndReloads)
{
    h.doc.SaveType = 1;
    h.window->proxy().headerClicked(0);
    h.window->tlbMain_ButtonClick(QStringLiteral("Save"));
    const std::string saved = readFile(iniPath);
    EXPECT_LT(saved.find("Name=alpha Racer"), saved.find("Name=Bravo"));
    EXPECT_LT(saved.find("Name=Mega Kart"), saved.find("Name=Zelda Quest"));
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Bravo|Mega Kart|Zelda Quest"));
    EXPECT_EQ(h.ui.busyDepth, 0);
    EXPECT_TRUE(h.ui.shown.empty());
}

TEST_F(FileCommands, SaveAsMakesTheNewFileTheCurrentOne)
{
    const std::string other = h.path("copy.ini");
    h.ui.fileAnswers = {QString::fromStdString(other)};
    h.window->saveAsCommand();
    EXPECT_EQ(readFile(other), sampleIni());
    EXPECT_EQ(h.doc.IniPath, other);
    EXPECT_EQ(h.setting("IniPath"), other);
    EXPECT_EQ(h.window->windowTitle(), captionFor(other));
}

TEST_F(FileCommands, OpenLoadsAnotherFileWithoutAQuestion)
{
    const std::string other = h.path("other.ini");
    writeFile(other, iniBlock("12345678-9ABCDEF0-C:46", "Francais", 5, "Playable"));
    h.ui.fileAnswers = {QString::fromStdString(other)};
    h.window->tlbMain_ButtonClick(QStringLiteral("Open"));
    EXPECT_TRUE(h.ui.questions().empty());
    EXPECT_EQ(h.column(0), QStringLiteral("Francais"));
    EXPECT_EQ(h.status(), QStringLiteral("1 ROM Details"));
    EXPECT_EQ(h.window->windowTitle(), captionFor(other));
    EXPECT_EQ(h.setting("IniPath"), other);
}

// A cancelled or failed Save As, or an Open of a file that cannot be read, keeps the open
// file, its setting, its caption and every entry.
struct Unfinished {
    const char *command;
    const char *answer; // nullptr: cancelled

    friend void PrintTo(const Unfinished &u, std::ostream *out)
    {
        *out << u.command << " " << (u.answer ? u.answer : "cancelled");
    }
};

class UnfinishedCommand : public OpenedSample, public ::testing::WithParamInterface<Unfinished> {};

TEST_P(UnfinishedCommand, KeepsEverything)
{
    const Unfinished unfinished = GetParam();
    h.ui.fileAnswers = {unfinished.answer ? std::optional(QString::fromStdString(h.path(unfinished.answer)))
                                          : std::nullopt};
    h.doc.EntryTable[1].Removed = true;
    h.action(unfinished.command)->trigger();
    ASSERT_EQ(h.ui.errors().size(), unfinished.answer ? 1u : 0u);
    if (unfinished.answer) {
        EXPECT_EQ(h.ui.errors()[0].title, QStringLiteral("Error"));
        EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
    }
    EXPECT_EQ(h.doc.IniPath, iniPath);
    EXPECT_EQ(h.setting("IniPath"), iniPath);
    EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
    EXPECT_EQ(h.doc.EntryTable.size(), 4u);
    EXPECT_EQ(readFile(iniPath), sampleIni());
    EXPECT_EQ(h.ui.busyDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(FileCommands, UnfinishedCommand,
                         ::testing::Values(Unfinished{"mnuSaveAs", nullptr},
                                           Unfinished{"mnuSaveAs", "missing/velmoran.ini"},
                                           Unfinished{"mnuOpen", "gone.ini"}));

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
