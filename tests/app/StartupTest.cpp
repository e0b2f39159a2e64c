#include "AppHarness.h"
#include "app/Startup.h"
#include "settings/badRegistry.h"

#include <gtest/gtest.h>

TEST(Startup, OpensTheRememberedFileUnlessAutoOpenIsOff)
{
    for (const bool autoOpen : {true, false}) {
        AppHarness h;
        const std::string iniPath = h.writeSample();
        h.setSetting("IniPath", iniPath);
        h.setSetting("AutoOpen", autoOpen ? "1" : "0");
        h.doc.PrintCancelled = true;
        const auto window = Main(h.doc, h.ui, h.store);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(h.ui.shown.empty());
        EXPECT_EQ(window->model().rowCount(), autoOpen ? 4 : 0);
        EXPECT_EQ(window->windowTitle(), autoOpen ? captionFor(iniPath) : QStringLiteral("Tamsic (Velmoran ini Editor)"));
        EXPECT_FALSE(h.doc.PrintCancelled);
        // Nothing loaded: Yes at exit must not write an empty table over the file.
        h.ui.yesNoCancelAnswers = {UserInterface::Answer::Yes};
        window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(readFile(iniPath), sampleIni());
    }
}

// A remembered name that is no file, or a folder, makes the start ask; cancel ends it. An
// unreadable choice is reported and asked for again; the readable one is remembered.
TEST(Startup, AGoneFileAsksUntilAReadableOneIsChosen)
{
    AppHarness h;
    const std::string iniPath = h.writeSample();
    for (const std::string &gone : {h.path("deleted.ini"), h.dir.path().toStdString()}) {
        h.setSetting("IniPath", gone);
        h.ui.fileAnswers = {std::nullopt};
        EXPECT_EQ(Main(h.doc, h.ui, h.store), nullptr) << gone;
    }
    ASSERT_EQ(h.ui.shown.size(), 4u);
    EXPECT_TRUE(h.ui.shown[2].kind == QStringLiteral("error") && h.ui.shown[2].text.contains(h.dir.path()));
    h.ui.shown.clear();
    h.ui.fileAnswers = {QString::fromStdString(h.path("not-there.ini")), QString::fromStdString(iniPath)};
    const auto window = Main(h.doc, h.ui, h.store);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(h.ui.errors().size(), 2u);
    EXPECT_EQ(h.setting("IniPath"), iniPath);
    EXPECT_EQ(window->model().rowCount(), 4);
}

// Without settings the start asks once for the file; a file named at start is opened instead
// of the remembered one, and at the first start it answers that question.
TEST(Startup, AFirstStartAsksOnceUnlessAFileIsNamed)
{
    const std::pair<bool, bool> firstStartAndNamed[] = {{true, false}, {true, true}, {false, true}};
    for (const auto &[firstStart, named] : firstStartAndNamed) {
        AppHarness h;
        const std::string iniPath = h.writeSample();
        h.setSetting("IniPath", iniPath);
        if (firstStart) {
            ASSERT_EQ(h.store.deleteKey(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey), 0);
        }
        const std::string other = h.writeOther();
        h.ui.fileAnswers = {QString::fromStdString(iniPath)};
        const auto window = Main(h.doc, h.ui, h.store, named ? other : std::string());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(h.ui.shown.size(), named ? 0u : 1u);
        EXPECT_EQ(window->windowTitle(), captionFor(named ? other : iniPath));
        EXPECT_EQ(h.setting("FirstRun"), "0");
        EXPECT_EQ(h.setting("IniPath"), named ? other : iniPath);
    }
}
