#include "AppHarness.h"
#include "ModalDriver.h"
#include "app/RomListView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

namespace {

// What the user reads on a row of actions, "-" for a separator, joined by "|".
QString shownItems(const QList<QAction *> &actions, QString (QAction::*text)() const)
{
    QStringList items;
    for (const QAction *action : actions)
        items.append(action->isSeparator() ? QStringLiteral("-") : (action->*text)());
    return items.join(QLatin1Char('|'));
}

class MainWindowTest : public OpenedSample {
protected:
    QPoint rowCentre(int row) const { return list->visualRect(list->model()->index(row, 0)).center(); }
    QAction *toolButton(const QString &toolTip) const
    {
        for (QAction *action : toolBar->actions())
            if (action->toolTip() == toolTip)
                return action;
        return nullptr;
    }
    QMenu *menu(const char *name) const { return h.window->findChild<QMenu *>(QLatin1String(name)); }
    // The menu items and tool bar buttons that act on the selected row, "1" enabled.
    QString rowCommandStates() const
    {
        QString states;
        for (const char *name : {"mnuRemoveEntry", "mnuProperties", "mnuPopupProperties", "mnuRemoveEntryPopup"})
            states += QString::number(h.action(name)->isEnabled());
        for (const char *tip : {"Properties", "Remove ROM Entry"})
            states += QString::number(toolButton(QLatin1String(tip))->isEnabled());
        return states;
    }

    RomListView *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    QToolBar *toolBar = h.window->findChild<QToolBar *>(QStringLiteral("tlbMain"));
};

} // namespace

// A header click sorts; a right release over a row selects it and pops up the list menu,
// over empty space it does not; only a left double click opens the row's properties.
TEST_F(MainWindowTest, MouseOnTheListSortsSelectsAndOpens)
{
    QHeaderView *header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Bravo|Mega Kart|Zelda Quest"));

    QMenu *popup = menu("mnulvwpopup");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(h.window->selectedEntry(), std::optional<std::size_t>(2));
    popup->hide();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(10, list->viewport()->height() - 3));
    EXPECT_FALSE(popup->isVisible());

    QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, rowCentre(1));
    EXPECT_EQ(h.window->findChild<QDialog *>(QStringLiteral("frmProperties")), nullptr);
    QString shownName;
    whenModal<QDialog>([&](QDialog *dialog) {
        shownName = dialog->objectName();
        dialog->reject();
    });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(shownName, QStringLiteral("frmProperties"));
}

// The row drawn as current is the selected one and the row commands follow it: greyed
// and doing nothing without a selection, and the popup's Remove lists its row under Undo.
TEST_F(MainWindowTest, RowCommandsFollowTheSelection)
{
    EXPECT_EQ(h.window->selectedEntry(), std::optional<std::size_t>(0));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(h.window->selectedEntry(), std::optional<std::size_t>(1));
    EXPECT_EQ(rowCommandStates(), QStringLiteral("111111"));
    h.ui.yesNoAnswers = {true};
    h.action("mnuRemoveEntryPopup")->trigger();
    EXPECT_EQ(h.status(), QStringLiteral("3 ROM Details"));
    EXPECT_EQ(shownItems(menu("mnuUndo")->actions(), &QAction::text), QStringLiteral("No Undo Available|alpha Racer"));
    ASSERT_TRUE(list->currentIndex().isValid());
    EXPECT_EQ(h.window->selectedEntry(), h.window->proxy().entryIndex(list->currentIndex()));

    list->clearSelection();
    EXPECT_EQ(rowCommandStates(), QStringLiteral("000000"));
    h.window->viewRomPropertiesCommand();
    h.window->removeRomEntryCommand();
    h.window->tlbMain_ButtonClick(QStringLiteral("Remove ROM Entry"));
    EXPECT_EQ(h.ui.shown.size(), 1u);

    writeFile(iniPath, "// no ROMs\r\n");
    h.openWindow(iniPath);
    EXPECT_EQ(h.window->selectedEntry(), std::nullopt);
    EXPECT_FALSE(h.action("mnuProperties")->isEnabled());
}

// The menu, the tool button and closing the window all ask the same question; Cancel stays,
// No closes without saving, Yes saves, and a failed save shows why and stays open.
TEST_F(MainWindowTest, EveryExitRouteAsksAndSavesOnlyOnYes)
{
    using Answer = UserInterface::Answer;
    const std::function<void()> routes[] = {[&] { h.action("mnuExit")->trigger(); },
                                            [&] { toolButton(QStringLiteral("Exit"))->trigger(); },
                                            [&] { h.window->close(); }};
    for (const auto &exitBy : routes) {
        for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            writeFile(iniPath, sampleIni());
            h.doc.EntryTable[0].Comment = "Changed";
            h.ui.yesNoCancelAnswers = {answer};
            exitBy();
            EXPECT_EQ(h.window->isVisible(), answer == Answer::Cancel);
            EXPECT_EQ(readFile(iniPath).find("Comment=Changed\r\n") != std::string::npos, answer == Answer::Yes);
            h.window->show();
        }
        h.ui.shown.clear();
        h.doc.IniPath = h.path("no-such-folder/velmoran.ini");
        h.ui.yesNoCancelAnswers = {Answer::Yes};
        exitBy();
        EXPECT_TRUE(h.window->isVisible());
        ASSERT_EQ(h.ui.errors().size(), 1u);
        EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
        EXPECT_EQ(h.ui.busyDepth, 0);
        h.doc.IniPath = iniPath;
    }
}
