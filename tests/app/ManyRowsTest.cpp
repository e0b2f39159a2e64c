// Several rows at once: selecting them, editing them in one dialog, removing them.
#include "app/RomListView.h"
#include "AppHarness.h"
#include "ModalDriver.h"
#include "editing/frmProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

class ManyRows : public OpenedSample {
protected:
    RomListView &list() const { return *h.window->findChild<RomListView *>(QStringLiteral("lvwMain")); }
    void select(std::initializer_list<int> rows)
    {
        list().selectionModel()->clear();
        for (const int row : rows)
            list().selectionModel()->select(h.window->proxy().index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void pressInWindow(QWidget &focused, QKeySequence::StandardKey key)
    {
        h.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
        focused.setFocus();
        QTest::keySequence(&focused, QKeySequence(key));
    }
};

// Zelda Quest and Bravo share UCode 5 and no flag; their comments, Eeprom, Info, scale
// and rescan count differ. A control left as it was filled keeps each ROM's own value; a
// changed one is given to both; Name and Print are greyed; one step undoes it all.
TEST_F(ManyRows, PropertiesOfSeveralRomsChangeOnlyWhatTheUserChanged)
{
    RomEntry bravo = h.doc.EntryTable[3];
    bravo.DisableEeprom = true;
    TextStore texts;
    bravo.Info = texts.keep("Boss rush");
    bravo.OSRescanCount = 3;
    bravo.ScaleFactor = 8;
    ASSERT_TRUE(h.window->session().editEntry(3, bravo));
    const RomTable before = h.doc.EntryTable;
    select({0, 3});
    whenModal<frmProperties>([](frmProperties *dialog) {
        const PropertiesControls &c = dialog->controls();
        EXPECT_EQ(c.cboUCode->currentText(), QStringLiteral("5"));
        EXPECT_EQ(c.cboComments->currentText(), QStringLiteral("(several values)"));
        EXPECT_EQ(c.chkEeprom->checkState(), Qt::PartiallyChecked);
        EXPECT_TRUE(c.cboEeprom->isEnabled());
        EXPECT_EQ(c.txtRomName->placeholderText(), QStringLiteral("(several values)"));
        EXPECT_FALSE(c.txtRomName->isEnabled() || c.cmdPrint->isEnabled());
        // The narrow fields show "(several values)" whole, clear of the labels beside them.
        EXPECT_GE(c.cboScaleFactor->width(), c.cboScaleFactor->sizeHint().width());
        EXPECT_LE(c.cboScaleFactor->geometry().right(), c.Label3->x());
        // Typed and erased again: the boxes show "(several values)" again, as they leave them.
        for (QLineEdit *box : {c.txtInfo, c.txtOSHLE})
            QTest::keyClicks(box, QStringLiteral("7\b"));
        c.chkExpansionPak->click();
        c.cboUCode->setCurrentIndex(c.cboUCode->findText(QStringLiteral("1")));
        dialog->cmdOK_Click();
    });
    h.window->viewRomPropertiesCommand();
    RomTable expected = before;
    for (const std::size_t entry : {0u, 3u}) {
        expected[entry].ExpansionPak = true;
        expected[entry].UCode = 1;
    }
    EXPECT_EQ(h.doc.EntryTable, expected);
    EXPECT_EQ(h.action("mnuUndoStep")->text(), QStringLiteral("&Undo Edit 2 ROMs"));
    h.action("mnuUndoStep")->trigger();
    EXPECT_EQ(h.doc.EntryTable, before);
}

// One question for all, No removes nothing; each removed ROM is listed for restoring;
// undo brings them all back selected.
TEST_F(ManyRows, RemovingSeveralRowsAsksOnceAndUndoBringsThemBackSelected)
{
    select({1, 2});
    h.ui.yesNoAnswers = {false, true};
    h.window->removeRomEntryCommand();
    EXPECT_EQ(h.ui.questions().back().text, QStringLiteral("Remove 2 ROM entries?"));
    EXPECT_EQ(h.column(0), QStringLiteral("Zelda Quest|alpha Racer|Mega Kart|Bravo"));
    h.window->removeRomEntryCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("Zelda Quest|Bravo"));
    QStringList listed;
    for (const QAction *element : h.window->findChild<QMenu *>(QStringLiteral("mnuUndo"))->actions())
        if (element->isEnabled())
            listed << element->text();
    EXPECT_EQ(listed.join(QLatin1Char('|')), QStringLiteral("alpha Racer|Mega Kart"));
    h.action("mnuUndoStep")->trigger();
    const std::vector<std::size_t> both{1, 2};
    EXPECT_EQ(h.window->selectedEntries(), both);
    EXPECT_EQ(h.status(), QStringLiteral("2 of 4 ROM Details selected"));
    // A save in the sorted order reads its table anew: the same ROMs stay selected.
    h.doc.SaveType = 1;
    h.window->proxy().headerClicked(0);
    h.window->saveCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Bravo|Mega Kart|Zelda Quest"));
    EXPECT_EQ(h.window->selectedEntries(), (std::vector<std::size_t>{0, 2}));
}

// With the find box showing two of the four ROMs, Ctrl+A in the list selects those two;
// in the focused find box it selects the box's text, not rows.
TEST_F(ManyRows, SelectAllTakesTheFoundRowsAndLeavesTheFindBoxItsOwnKeys)
{
    h.window->findBox().setText(QStringLiteral("ra"));
    pressInWindow(list(), QKeySequence::SelectAll);
    const std::vector<std::size_t> found{1, 3};
    EXPECT_EQ(h.window->selectedEntries(), found);
    EXPECT_EQ(h.status(), QStringLiteral("2 of 2 found ROM Details selected (4 in all)"));
    select({0});
    pressInWindow(h.window->findBox(), QKeySequence::SelectAll);
    EXPECT_EQ(h.window->findBox().selectedText(), QStringLiteral("ra"));
    EXPECT_EQ(h.window->selectedEntries().size(), 1u);
}

// A find text that hides selected rows leaves the commands for the rows still selected:
// one left can be duplicated, none left cannot be copied.
TEST_F(ManyRows, RowCommandsFollowTheRowsTheFindBoxLeavesSelected)
{
    select({0, 3});
    h.window->findBox().setText(QStringLiteral("Zelda"));
    EXPECT_TRUE(h.action("mnuDuplicateEntry")->isEnabled());
    h.window->findBox().setText(QStringLiteral("Mega"));
    EXPECT_FALSE(h.action("mnuCopy")->isEnabled());
}

} // namespace
