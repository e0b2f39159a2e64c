#include "AppHarness.h"
#include "app/Startup.h"
#include "settings/badRegistry.h"

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

// A remembered name that is no file, or a folder, makes the start ask; cancel ends it. An
// unreadable choice is reported and asked for again; the readable one is remembered.
TEST_F(Startup, AGoneFileAsksUntilAReadableOneIsChosen)
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
    h.ui.shown.clear();
    h.ui.fileAnswers = {QString::fromStdString(h.path("not-there.ini")), QString::fromStdString(iniPath)};
    const auto window = Main(h.doc, h.ui, h.store);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(h.ui.errors().size(), 2u);
    EXPECT_EQ(h.ui.shown.size(), 4u);
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
    EXPECT_EQ(window->model().rowCount(), 0);
    h.ui.yesNoCancelAnswers = {UserInterface::Answer::Yes};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readFile(iniPath), sampleIni());
}

TEST(StartupFirstRun, AsksOnceAndOpensTheChosenFile)
{
    AppHarness h;
    ASSERT_EQ(h.store.deleteKey(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey), 0);
    h.ui.fileAnswers = {QString::fromStdString(h.writeSample())};
    const auto window = Main(h.doc, h.ui, h.store);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(h.ui.shown.size(), 1u);
    EXPECT_EQ(window->model().rowCount(), 4);
    EXPECT_EQ(h.doc.AutoOpen, 1);
}
