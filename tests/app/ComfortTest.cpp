#include "app/RomListView.h"
#include "AppHarness.h"
#include "ModalDriver.h"
#include "editing/frmProperties.h"
#include "settings/RecentFiles.h"
#include "TestText.h"

#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
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

class Find : public OpenedSample {
protected:
    void find(const QString &text) { h.window->findBox().setText(text); }
    void select(int row)
    {
        auto *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
        list->selectionModel()->setCurrentIndex(h.window->proxy().index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // The names in the saved file, in the order written.
    QString savedNames() const
    {
        QStringList names;
        const QString text = QString::fromStdString(readFile(iniPath));
        for (const auto &match : QRegularExpression(QStringLiteral("Name=([^\r]*)")).globalMatch(text))
            names.append(match.captured(1));
        return names.join(QLatin1Char('|'));
    }
};

} // namespace

TEST_F(OpenedSample, EachShortcutReachesItsCommand)
{
    auto *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    // With no row selected the row commands are greyed.
    const QModelIndex first = list->currentIndex();
    list->selectionModel()->clear();
    EXPECT_FALSE(h.action("mnuProperties")->isEnabled() || h.action("mnuRemoveEntry")->isEnabled());
    list->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The first row is selected: Enter opens its properties (cancelled), Delete removes it,
    // and the history takes it back and forth.
    const QKeySequence undo(Qt::CTRL | Qt::Key_Z);
    const std::pair<QKeySequence, const char *> cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), "mnuSave"}, {QKeySequence(Qt::Key_Return), "mnuProperties"},
        {QKeySequence(Qt::Key_Delete), "mnuRemoveEntry"}, {undo, "mnuUndoStep"},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), "mnuRedoStep"}, {undo, "mnuUndoStep"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "mnuRedoStep"}, {undo, "mnuUndoStep"},
        {QKeySequence(Qt::CTRL | Qt::Key_F), "mnuFind"}, {QKeySequence(Qt::CTRL | Qt::Key_Q), "mnuExit"}};
    h.ui.yesNoAnswers = {true};
    for (const auto &[keys, action] : cases) {
        // A closed dialog hands the activation back only through the window system.
        h.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
        list->setFocus();
        if (keys == QKeySequence(Qt::Key_Return))
            whenModal<frmProperties>([](frmProperties *dialog) { dialog->cmdCancel_Click(); });
        QSignalSpy triggered(h.action(action), &QAction::triggered);
        QTest::keySequence(h.window.get(), keys);
        EXPECT_EQ(triggered.count(), 1) << action;
    }
    // Everything undone: nothing to save, so no question.
    EXPECT_FALSE(h.window->isVisible());
    EXPECT_EQ(h.ui.questions().size(), 1u);
}

// A tool bar button is the very action of a menu item, and each top-level menu, and each
// item within one menu, has an access key of its own.
TEST_F(OpenedSample, EveryCommandIsOneActionWithItsOwnAccessKey)
{
    QSet<const QAction *> inMenus;
    const auto keysOf = [&inMenus](const QList<QAction *> &items, const QString &where) {
        QSet<QChar> keys;
        for (const QAction *item : items) {
            if (item->isSeparator())
                continue;
            inMenus.insert(item);
            const qsizetype amp = item->text().indexOf(QLatin1Char('&'));
            ASSERT_GE(amp, 0) << item->text().toStdString() << " in " << where.toStdString();
            EXPECT_TRUE(!keys.contains(item->text()[amp + 1].toLower())) << item->text().toStdString();
            keys.insert(item->text()[amp + 1].toLower());
        }
    };
    keysOf(h.window->menuBar()->actions(), QStringLiteral("the menu bar"));
    for (const QAction *top : h.window->menuBar()->actions())
        keysOf(top->menu()->actions(), top->text());
    keysOf(h.window->findChild<QMenu *>(QStringLiteral("mnulvwpopup"))->actions(), QStringLiteral("the pop-up"));
    for (QAction *button : h.window->findChild<QToolBar *>(QStringLiteral("tlbMain"))->actions())
        EXPECT_TRUE(button->isSeparator() || inMenus.contains(button)) << button->toolTip().toStdString();
    EXPECT_EQ(h.action("mnuSave")->toolTip(), QStringLiteral("Save (Ctrl+S)"));
}

TEST_F(OpenedSample, TheLayoutIsRestoredAfterARestart)
{
    QHeaderView *header = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"))->header();
    header->resizeSection(1, 321);
    header->moveSection(6, 0);
    h.window->proxy().headerClicked(1);
    h.window->resize(900, 500);
    h.ui.yesNoCancelAnswers = {UserInterface::Answer::No};
    ASSERT_TRUE(h.window->close());

    h.window = std::make_unique<MainWindow>(h.doc, h.ui, h.store);
    header = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"))->header();
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
    const std::string other = h.writeOther();
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

TEST_F(OpenedSample, DroppingAnIniFileOpensItAndOtherFilesAreRefused)
{
    const std::string other = h.writeOther();
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

TEST_F(Find, ShowsTheRowsWhoseNameCrcCommentsOrInfoHoldTheTextInAnyCase)
{
    h.doc.EntryTable[3].Info = Text("Needs the Rumble PAK, \xC9" "dition 2");
    h.window->model().entryChanged(3);
    const struct {
        const char *typed;
        const char *names;
        const char *status;
    } cases[] = {
        {"KART", "Mega Kart", "1 of 4 ROM Details"},
        {"c:4A", "alpha Racer", "1 of 4 ROM Details"},
        // Comments and Info are searched, the country is not.
        {"playable", "Zelda Quest|alpha Racer|Mega Kart", "3 of 4 ROM Details"},
        {"japan", "", "0 of 4 ROM Details"},
        {"rumble pak, \xC3\xA9" "DITION", "Bravo", "1 of 4 ROM Details"},
        {"edition", "Bravo", "1 of 4 ROM Details"},
        // The start of an entry's texts that is not the first entry's.
        {"ALPH", "alpha Racer", "1 of 4 ROM Details"},
    };
    for (const auto &c : cases) {
        find(QString::fromUtf8(c.typed));
        EXPECT_EQ(h.column(0), QLatin1String(c.names)) << c.typed;
        EXPECT_EQ(h.status(), QLatin1String(c.status)) << c.typed;
    }
    // A huge text is searched whole, while its cell is given only its start to lay out.
    h.doc.EntryTable[3].Info = Text(std::string(100000, 'x') + " far word");
    h.window->model().entryChanged(3);
    find(QStringLiteral("FAR WORD"));
    EXPECT_EQ(h.column(0), QStringLiteral("Bravo"));
    EXPECT_EQ(h.column(5), QString(1000, QLatin1Char('x')) + QChar(0x2026));
    // A UTF-8 file's characters beyond ASCII are found in either case and without accents as well.
    h.doc.Encoding = TextEncoding::Utf8;
    h.doc.EntryTable[3].Info = Text("\xC5\x93uvre, Caf\xC3\xA9");
    h.window->FillRomList();
    find(QStringLiteral(u"\u0152UVRE, CAFE"));
    EXPECT_EQ(h.column(0), QStringLiteral("Bravo"));
    // Esc empties the box and every row is back.
    h.window->activateWindow();
    h.window->findBox().setFocus();
    QTest::keyClick(&h.window->findBox(), Qt::Key_Escape);
    EXPECT_EQ(h.window->findBox().text(), QString());
    EXPECT_EQ(h.status(), QStringLiteral("4 ROM Details"));
}

// Sort and find stay through changes, removals, restores and the reload after a save.
TEST_F(Find, SortEditRemoveAndUndoWorkOnTheFoundRowsAndADisplayedOrderSaveWritesEveryEntry)
{
    h.window->proxy().headerClicked(0);
    h.window->proxy().headerClicked(0);
    find(QStringLiteral("PLAYABLE"));
    // Changes move only their row: a reset would lose the selection.
    QSignalSpy reset(&h.window->model(), &QAbstractItemModel::modelReset);
    EXPECT_EQ(h.column(0), QStringLiteral("Zelda Quest|Mega Kart|alpha Racer"));

    // A renamed row takes its sorted place among the found ones.
    h.doc.EntryTable[0].Name = Text("Aardvark Quest");
    h.window->model().entryChanged(0);
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart|alpha Racer|Aardvark Quest"));

    // The selected row is the shown one, not the table's entry of that number.
    select(0);
    h.ui.yesNoAnswers = {true};
    h.window->removeRomEntryCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Aardvark Quest"));
    EXPECT_EQ(h.status(), QStringLiteral("2 of 3 ROM Details"));
    h.action("mnuUndoStep")->trigger();
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart|alpha Racer|Aardvark Quest"));
    EXPECT_EQ(reset.count(), 0);

    // Bravo is hidden by the find text, and is still written in its sorted place.
    h.doc.SaveType = 1;
    h.window->saveCommand();
    EXPECT_EQ(savedNames(), QStringLiteral("Mega Kart|Bravo|alpha Racer|Aardvark Quest"));
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart|alpha Racer|Aardvark Quest"));
    EXPECT_EQ(h.status(), QStringLiteral("3 of 4 ROM Details"));
}

// Entries inserted while the find box filters are searched like the others (the found
// set follows the moved entries), and undoing the insert leaves the rows as they were.
TEST_F(Find, EntriesInsertedWhileFilteringAreFoundInTheirPlace)
{
    find(QStringLiteral("kart"));
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart"));
    TextStore texts;
    RomEntry kart = h.doc.EntryTable[2];
    RomEntry other = h.doc.EntryTable[0];
    kart.Name = texts.keep("Kart Two");
    other.Name = texts.keep("Neither");
    ASSERT_TRUE(h.window->session().insertEntries({{0, kart}, {3, other}, {5, kart}}, QStringLiteral("Add")));
    EXPECT_EQ(h.column(0), QStringLiteral("Kart Two|Mega Kart|Kart Two"));
    EXPECT_EQ(h.status(), QStringLiteral("3 of 7 ROM Details"));
    h.action("mnuUndoStep")->trigger();
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart"));
    // Esc in the list empties the find box too.
    auto *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    h.window->activateWindow();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(h.column(0), QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo"));
}

// After a save, a reload, an undo and a redo the selected ROM stays selected and in view;
// an undone removal selects the restored row.
TEST(KeptPlace, TheSelectedRomStaysSelectedAndInView)
{
    AppHarness h;
    const std::string iniPath = h.path("velmoran.ini");
    std::string file = "// many\r\n";
    for (int block = 0; block < 300; ++block)
        file += iniBlock("ABCD" + std::to_string(1000 + block) + "-C:45", "Game " + std::to_string(block), 1, "Playable");
    writeFile(iniPath, file);
    h.openWindow(iniPath);
    auto *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    const auto shows = [&](std::size_t entry) {
        const auto row = h.window->proxy().rowOf(entry);
        return row && h.window->selectedEntry() == entry
               && list->viewport()->rect().contains(list->visualRect(h.window->proxy().index(*row, 0)));
    };
    const auto select = [&](std::size_t entry) {
        list->selectionModel()->setCurrentIndex(h.window->proxy().index(*h.window->proxy().rowOf(entry), 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    select(250);
    RomEntry changed = h.doc.EntryTable[250];
    changed.UCode = 3;
    ASSERT_TRUE(h.window->session().editEntry(250, changed));
    h.window->saveCommand();
    EXPECT_TRUE(shows(250));
    h.action("mnuUndoStep")->trigger();
    EXPECT_TRUE(shows(250));
    h.action("mnuRedoStep")->trigger();
    EXPECT_TRUE(shows(250));
    h.window->openIniFile(iniPath);
    EXPECT_TRUE(shows(250));
    select(280);
    h.ui.yesNoAnswers = {true};
    h.window->removeRomEntryCommand();
    select(10);
    h.action("mnuUndoStep")->trigger();
    EXPECT_TRUE(shows(280));
}
