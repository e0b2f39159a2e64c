#include "AppHarness.h"
#include "ModalDriver.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

class FileCommands : public ::testing::Test {
protected:
    FileCommands()
    {
        iniPath = h.writeSample();
        h.openWindow(iniPath);
    }

    QString caption(const std::string &path) const
    {
        return QStringLiteral("Tamsic (Velmoran ini Editor) v1.1b - ") + QString::fromStdString(path);
    }

    AppHarness h;
    std::string iniPath;
};

} // namespace

TEST_F(FileCommands, SaveWritesTheDisplayedOrderWhenAskedAndReloads)
{
    h.doc.SaveType = 1;
    h.window->proxy().headerClicked(0);
    h.window->tlbMain_ButtonClick(QStringLiteral("Save"));
    const std::string saved = readFile(iniPath);
    EXPECT_LT(saved.find("Name=alpha Racer"), saved.find("Name=Bravo"));
    EXPECT_LT(saved.find("Name=Mega Kart"), saved.find("Name=Zelda Quest"));
    EXPECT_EQ(h.column(0).first(), QStringLiteral("alpha Racer"));
    EXPECT_EQ(h.ui.busyDepth, 0);
    EXPECT_TRUE(h.ui.shown.empty());
}

TEST_F(FileCommands, SaveAsMakesTheNewFileTheCurrentOne)
{
    const std::string other = h.path("copy.ini");
    h.ui.fileAnswers = {QString::fromStdString(other)};
    h.window->saveAsCommand();
    ASSERT_EQ(h.ui.filters.size(), 1u);
    EXPECT_EQ(h.ui.filters[0].description, QStringLiteral("Velmoran.ini"));
    EXPECT_EQ(h.ui.filters[0].pattern, QStringLiteral("velmoran.ini"));
    EXPECT_EQ(readFile(other), sampleIni());
    EXPECT_EQ(h.doc.IniPath, other);
    EXPECT_EQ(h.setting("IniPath"), other);
    EXPECT_EQ(h.window->windowTitle(), caption(other));
}

TEST_F(FileCommands, CancelledSaveAsChangesNothing)
{
    h.ui.fileAnswers = {std::nullopt};
    h.window->findChild<QAction *>(QStringLiteral("mnuSaveAs"))->trigger();
    EXPECT_TRUE(h.ui.errors().empty());
    EXPECT_EQ(h.doc.IniPath, iniPath);
}

TEST_F(FileCommands, FailedSaveAsSaysWhyAndKeepsEverything)
{
    h.ui.fileAnswers = {QString::fromStdString(h.path("missing/velmoran.ini"))};
    h.doc.EntryTable[1].Removed = true;
    h.window->saveAsCommand();
    ASSERT_EQ(h.ui.errors().size(), 1u);
    EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
    EXPECT_EQ(h.doc.IniPath, iniPath);
    EXPECT_EQ(h.doc.EntryTable.size(), 4u);
    EXPECT_EQ(h.ui.busyDepth, 0);
}

TEST_F(FileCommands, OpenLoadsAnotherFileWithoutAQuestion)
{
    const std::string other = h.path("other.ini");
    writeFile(other, iniBlock("12345678-9ABCDEF0-C:46", "Francais", 5, "Playable"));
    h.doc.EntryTable[0].Comment = "Unsaved";
    h.ui.fileAnswers = {QString::fromStdString(other)};
    h.window->tlbMain_ButtonClick(QStringLiteral("Open"));
    EXPECT_TRUE(h.ui.questions().empty());
    EXPECT_EQ(h.column(0), QStringList{QStringLiteral("Francais")});
    EXPECT_EQ(h.window->findChild<QLabel *>(QStringLiteral("stbMainPanel1"))->text(),
              QStringLiteral("1 ROM Details"));
    EXPECT_EQ(h.window->windowTitle(), caption(other));
    EXPECT_EQ(h.setting("IniPath"), other);
}

TEST_F(FileCommands, OpenOfAFileThatCannotBeReadKeepsTheOpenDocument)
{
    const std::string missing = h.path("gone.ini");
    h.ui.fileAnswers = {QString::fromStdString(missing)};
    h.window->openCommand();
    ASSERT_EQ(h.ui.errors().size(), 1u);
    EXPECT_EQ(h.ui.errors()[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
    EXPECT_EQ(h.column(0).size(), 4);
    EXPECT_EQ(h.doc.IniPath, iniPath);
    EXPECT_EQ(h.setting("IniPath"), iniPath);
    EXPECT_EQ(h.window->windowTitle(), caption(iniPath));
    EXPECT_EQ(h.ui.busyDepth, 0);
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
    EXPECT_EQ(h.column(0).size(), 11);
}
