#include "AppHarness.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class Find : public OpenedSample {
protected:
    void find(const QString &text) { h.window->findBox().setText(text); }
    void select(int row)
    {
        auto *list = h.window->findChild<QTreeView *>(QStringLiteral("lvwMain"));
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

TEST_F(Find, ShowsTheRowsWhoseNameCrcCommentsOrInfoHoldTheTextInAnyCase)
{
    h.doc.EntryTable[3].Info = "Needs the Rumble PAK, \xC9" "dition 2";
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
    };
    for (const auto &c : cases) {
        find(QString::fromUtf8(c.typed));
        EXPECT_EQ(h.column(0), QLatin1String(c.names)) << c.typed;
        EXPECT_EQ(h.status(), QLatin1String(c.status)) << c.typed;
    }
    // A UTF-8 file's characters beyond ASCII are found in either case as well.
    h.doc.Encoding = TextEncoding::Utf8;
    h.doc.EntryTable[3].Info = "\xC5\x93uvre";
    h.window->FillRomList();
    find(QStringLiteral(u"\u0152UVRE"));
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
    h.doc.EntryTable[0].Name = "Aardvark Quest";
    h.window->model().entryChanged(0);
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart|alpha Racer|Aardvark Quest"));

    // The selected row is the shown one, not the table's entry of that number.
    select(0);
    h.ui.yesNoAnswers = {true};
    h.window->removeRomEntryCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Aardvark Quest"));
    EXPECT_EQ(h.status(), QStringLiteral("2 of 3 ROM Details"));
    h.window->undoLastRemovalCommand();
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart|alpha Racer|Aardvark Quest"));
    EXPECT_EQ(reset.count(), 0);

    // Bravo is hidden by the find text, and is still written in its sorted place.
    h.doc.SaveType = 1;
    h.window->saveCommand();
    EXPECT_EQ(savedNames(), QStringLiteral("Mega Kart|Bravo|alpha Racer|Aardvark Quest"));
    EXPECT_EQ(h.column(0), QStringLiteral("Mega Kart|alpha Racer|Aardvark Quest"));
    EXPECT_EQ(h.status(), QStringLiteral("3 of 4 ROM Details"));
}
