#include "AppHarness.h"
#include "ModalDriver.h"
#include "editing/frmProperties.h"
#include "app/Startup.h"
#include "settings/RecentFiles.h"

#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

QString menuTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *item : menu.actions())
        texts.append(item->text());
    return texts.join(QLatin1Char('|'));
}

// A second sample under another name, with one ROM.
std::string writeOther(const AppHarness &h, const char *name)
{
    const std::string file = h.path(name);
    writeFile(file, iniBlock("AABBCCDD-EEFF0011-C:45", "Other Game", 5, "Playable"));
    return file;
}

} // namespace

TEST_F(OpenedSample, EachShortcutReachesItsCommand)
{
    auto *list = h.window->findChild<QTreeView *>(QStringLiteral("lvwMain"));
    // The first row is selected: Enter opens its properties (cancelled), Delete asks (No).
    const struct {
        QKeySequence keys;
        const char *action;
    } cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), "mnuOpen"},
        {QKeySequence(Qt::CTRL | Qt::Key_S), "mnuSave"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "mnuSaveAs"},
        {QKeySequence(Qt::Key_Return), "mnuProperties"},
        {QKeySequence(Qt::Key_Delete), "mnuRemoveEntry"},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), "undoLastRemoval"},
        {QKeySequence(Qt::CTRL | Qt::Key_F), "mnuFind"},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), "mnuExit"},
    };
    h.ui.fileAnswers = {std::nullopt, std::nullopt};
    h.ui.yesNoAnswers = {false};
    h.ui.yesNoCancelAnswers = {UserInterface::Answer::No};
    for (const auto &c : cases) {
        // A closed dialog hands the activation back only through the window system.
        h.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
        list->setFocus();
        if (c.keys == QKeySequence(Qt::Key_Return))
            whenModal<frmProperties>([](frmProperties *dialog) { dialog->cmdCancel_Click(); });
        QSignalSpy triggered(h.action(c.action), &QAction::triggered);
        QTest::keySequence(h.window.get(), c.keys);
        EXPECT_EQ(triggered.count(), 1) << c.action;
    }
    EXPECT_EQ(h.ui.filters[0].title, QStringLiteral("Choose your velmoran.ini"));
    EXPECT_EQ(h.ui.questions().back().title, QStringLiteral("Save?"));
    EXPECT_FALSE(h.window->isVisible());
}

TEST_F(OpenedSample, TheLayoutIsRestoredAfterARestart)
{
    QHeaderView *header = h.window->findChild<QTreeView *>(QStringLiteral("lvwMain"))->header();
    header->resizeSection(1, 321);
    header->moveSection(6, 0);
    h.window->proxy().headerClicked(1);
    h.window->resize(900, 500);
    h.ui.yesNoCancelAnswers = {UserInterface::Answer::No};
    ASSERT_TRUE(h.window->close());

    h.window = std::make_unique<MainWindow>(h.doc, h.ui, h.store);
    header = h.window->findChild<QTreeView *>(QStringLiteral("lvwMain"))->header();
    EXPECT_EQ(h.window->size(), QSize(900, 500));
    EXPECT_EQ(header->sectionSize(1), 321);
    EXPECT_EQ(header->logicalIndex(0), 6);
    EXPECT_EQ(h.window->proxy().sortColumn(), 1);
    EXPECT_EQ(h.window->proxy().sortOrder(), Qt::AscendingOrder);
    // The next click goes on from the restored direction.
    h.window->proxy().headerClicked(1);
    EXPECT_EQ(h.window->proxy().sortOrder(), Qt::DescendingOrder);
}

TEST(RecentFilesTest, KeepsTheLastFiveNewestFirstWithoutRepeats)
{
    MemoryRegistryStore store;
    RecentFiles recent(store);
    for (const char *path : {"a", "b", "c", "d", "e", "f", "g"})
        recent.add(path);
    EXPECT_EQ(recent.read(), (std::vector<std::string>{"g", "f", "e", "d", "c"}));
    recent.add("e");
    recent.remove("f");
    EXPECT_EQ(recent.read(), (std::vector<std::string>{"e", "g", "d", "c"}));
}

TEST_F(OpenedSample, RecentFilesOpensAChosenFileAndDropsAMissingOneWithAMessage)
{
    const std::string other = writeOther(h, "other.ini");
    h.window->openIniFile(other);
    auto *recent = h.window->findChild<QMenu *>(QStringLiteral("mnuRecent"));
    EXPECT_EQ(menuTexts(*recent), q("&1 " + other + "|&2 " + iniPath));

    recent->actions()[1]->trigger();
    EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
    std::remove(other.c_str());
    recent->actions()[1]->trigger();
    ASSERT_EQ(h.ui.errors().size(), 1u);
    EXPECT_TRUE(h.ui.errors()[0].text.contains(q(other)));
    EXPECT_EQ(menuTexts(*recent), q("&1 " + iniPath));
    EXPECT_EQ(h.window->model().rowCount(), 4);
}

// A file named at start is opened instead of the remembered one, and at the first start
// it answers the question for the file.
TEST(FileArgument, OpensTheNamedFileWithoutAQuestion)
{
    for (const char *firstRun : {"0", "1"}) {
        AppHarness h;
        h.setSetting("FirstRun", firstRun);
        h.setSetting("IniPath", h.writeSample());
        const std::string other = writeOther(h, "other.ini");
        const auto window = Main(h.doc, h.ui, h.store, other);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(h.ui.shown.empty()) << firstRun;
        EXPECT_EQ(window->windowTitle(), captionFor(other));
        EXPECT_EQ(h.setting("FirstRun"), "0");
        EXPECT_EQ(h.setting("IniPath"), other);
    }
}

TEST_F(OpenedSample, DroppingAnIniFileOpensItAndOtherFilesAreRefused)
{
    const std::string other = writeOther(h, "other.ini");
    const std::string text = h.path("notes.txt");
    writeFile(text, "not an ini file");
    for (const std::string &file : {text, other}) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(q(file))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(h.window.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), file == other) << file;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(h.window.get(), &drop);
        QApplication::processEvents();
    }
    EXPECT_EQ(h.window->windowTitle(), captionFor(other));
    EXPECT_EQ(h.window->model().rowCount(), 1);
}

TEST_F(OpenedSample, TheStatusBarSaysWhatWasWrittenAndWhere)
{
    const std::string backup = h.path("velmoran.ini.bak");
    const std::string compat = h.path("compat.txt");
    h.window->saveCommand();
    EXPECT_EQ(h.window->statusBar()->currentMessage(), q("ini file written to " + iniPath));
    h.ui.yesNoAnswers = {true, true};
    h.ui.fileAnswers = {q(backup), q(compat)};
    h.window->backupIniFileCommand();
    EXPECT_EQ(h.window->statusBar()->currentMessage(), q("Backup written to " + backup));
    h.window->makeCompatListCommand();
    EXPECT_EQ(h.window->statusBar()->currentMessage(), q("Compatibility list written to " + compat));
}
