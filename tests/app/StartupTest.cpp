#include "AppHarness.h"
#include "app/Startup.h"

#include <gtest/gtest.h>

namespace {

class Startup : public ::testing::Test {
protected:
    Startup() : iniPath(h.writeSample()) { h.setSetting("IniPath", iniPath); }

    AppHarness h;
    std::string iniPath;
};

} // namespace

TEST_F(Startup, OpensTheRememberedFileWithoutAQuestion)
{
    h.doc.PrintCancelled = true;
    const auto window = Main(h.doc, h.ui, h.store);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(h.ui.shown.empty());
    EXPECT_EQ(AppHarness::status(*window), QStringLiteral("4 ROM Details"));
    EXPECT_EQ(window->windowTitle(), captionFor(iniPath));
    EXPECT_FALSE(h.doc.PrintCancelled);
}

// A remembered name that is no file, or a folder, is reported and the start asks; cancel ends it.
TEST_F(Startup, AGoneFileIsReportedAndAskedForAndCancelEndsWithoutAWindow)
{
    for (const std::string &gone : {h.path("deleted.ini"), h.dir.path().toStdString()}) {
        h.setSetting("IniPath", gone);
        h.ui.fileAnswers = {std::nullopt};
        EXPECT_EQ(Main(h.doc, h.ui, h.store), nullptr) << gone;
    }
    ASSERT_EQ(h.ui.shown.size(), 4u);
    EXPECT_EQ(h.ui.shown[2].kind, QStringLiteral("error"));
    EXPECT_TRUE(h.ui.shown[2].text.contains(h.dir.path()));
    EXPECT_EQ(h.ui.shown[3].kind, QStringLiteral("open"));
    EXPECT_EQ(h.ui.filters[1].pattern, QStringLiteral("velmoran.ini"));
}

// An unreadable choice is reported and asked for again; the readable one is remembered.
TEST_F(Startup, AFileThatCannotBeReadIsReportedAndTheNextChoiceIsRememberedAndOpened)
{
    h.setSetting("IniPath", "");
    h.ui.fileAnswers = {QString::fromStdString(h.path("not-there.ini")), QString::fromStdString(iniPath)};
    const auto window = Main(h.doc, h.ui, h.store);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(h.ui.errors().size(), 1u);
    EXPECT_EQ(h.ui.errors()[0].title, QStringLiteral("Error"));
    EXPECT_EQ(h.setting("IniPath"), iniPath);
    EXPECT_EQ(window->model().rowCount(), 4);
}

TEST_F(Startup, AutoOpenZeroStartsEmptyAndExitWithYesWritesNothing)
{
    h.setSetting("AutoOpen", "0");
    const auto window = Main(h.doc, h.ui, h.store);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(h.ui.shown.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tamsic (Velmoran ini Editor)"));
    EXPECT_EQ(AppHarness::status(*window), QString());
    EXPECT_EQ(window->model().rowCount(), 0);
    EXPECT_EQ(h.doc.AutoOpen, 0);

    h.ui.yesNoAnswers = {true};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readFile(iniPath), sampleIni());
}

TEST(StartupFirstRun, AsksOnceAndOpensTheChosenFile)
{
    QTemporaryDir dir;
    const std::string iniPath = dir.filePath(QStringLiteral("velmoran.ini")).toStdString();
    writeFile(iniPath, sampleIni());
    IniDocument doc;
    FakeUserInterface ui;
    MemoryRegistryStore store;
    ui.fileAnswers = {QString::fromStdString(iniPath)};
    const auto window = Main(doc, ui, store);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(window->model().rowCount(), 4);
    EXPECT_EQ(doc.AutoOpen, 1);
    EXPECT_EQ(doc.SaveType, 0);
}
