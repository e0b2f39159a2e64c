#include "AppHarness.h"
#include "ModalDriver.h"
#include "app/RomListView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
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

    RomListView *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    QToolBar *toolBar = h.window->findChild<QToolBar *>(QStringLiteral("tlbMain"));
};

} // namespace

// One representative menu; the tool bar's tips are what its clicks are dispatched by.
TEST_F(MainWindowTest, FileMenuAndToolBarShowTheirItems)
{
    EXPECT_EQ(shownItems(menu("mnuFile")->actions(), &QAction::text), QStringLiteral("&Open...|&Recent Files|&Save|S&ave As...|-|Options|-|E&xit"));
    EXPECT_EQ(shownItems(toolBar->actions(), &QAction::toolTip),
              QStringLiteral("Open|Save|-|Undo|-|Options|Properties|Remove ROM Entry|-|Exit"));
    EXPECT_FALSE(h.action("mnuUndoItem")->isEnabled());
}

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

// Without a selected row, Properties and Remove do nothing; with one, the popup's Remove
// takes it out and lists it under Undo, whose button drops its menu just below itself.
TEST_F(MainWindowTest, RemovingNeedsASelectedRowAndListsItUnderUndo)
{
    list->clearSelection();
    h.window->viewRomPropertiesCommand();
    h.window->removeRomEntryCommand();
    h.window->tlbMain_ButtonClick(QStringLiteral("Remove ROM Entry"));
    h.window->tlbMain_ButtonClick(QStringLiteral("Something Else"));
    EXPECT_TRUE(h.ui.shown.empty());

    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    h.ui.yesNoAnswers = {true};
    h.action("mnuRemoveEntryPopup")->trigger();
    EXPECT_EQ(h.status(), QStringLiteral("3 ROM Details"));
    QMenu *undo = menu("mnuUndo");
    EXPECT_EQ(shownItems(undo->actions(), &QAction::text), QStringLiteral("No Undo Available|alpha Racer"));
    h.window->tlbMain_ButtonClick(QStringLiteral("Undo"));
    EXPECT_TRUE(undo->isVisible());
    const QWidget *button = toolBar->widgetForAction(toolButton(QStringLiteral("Undo")));
    EXPECT_EQ(undo->pos(), button->mapToGlobal(QPoint(0, button->width())));
    undo->hide();
}

TEST_F(MainWindowTest, AboutBoxShowsItsPhraseAndClosesWithOk)
{
    QString phrase;
    whenModal<QDialog>([&](QDialog *about) {
        phrase = about->findChild<QLabel *>(QStringLiteral("lblPhrase"))->text();
        EXPECT_FALSE(about->findChild<QLabel *>(QStringLiteral("imgLogo"))->pixmap().isNull());
        about->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
    });
    h.action("mnuAbout")->trigger();
    EXPECT_EQ(phrase, QStringLiteral("Official Velmoran ini Editor - v1.1b"));
}

// The menu, the tool button and closing the window all ask the same question; No closes
// without saving, Yes saves, and a failed save shows why and stays open.
TEST_F(MainWindowTest, EveryExitRouteAsksAndSavesOnlyOnYes)
{
    const std::function<void()> routes[] = {[&] { h.action("mnuExit")->trigger(); },
                                            [&] { toolButton(QStringLiteral("Exit"))->trigger(); },
                                            [&] { h.window->close(); }};
    for (const auto &exitBy : routes) {
        for (const bool yes : {false, true}) {
            writeFile(iniPath, sampleIni());
            h.doc.EntryTable[0].Comment = "Changed";
            h.ui.yesNoCancelAnswers = {yes ? UserInterface::Answer::Yes : UserInterface::Answer::No};
            exitBy();
            EXPECT_FALSE(h.window->isVisible());
            EXPECT_EQ(readFile(iniPath).find("Comment=Changed\r\n") != std::string::npos, yes);
            h.window->show();
        }
        h.ui.shown.clear();
        h.doc.IniPath = h.path("no-such-folder/velmoran.ini");
        h.ui.yesNoCancelAnswers = {UserInterface::Answer::Yes};
        exitBy();
        EXPECT_TRUE(h.window->isVisible());
        ASSERT_EQ(h.ui.errors().size(), 1u);
        EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
        EXPECT_EQ(h.ui.busyDepth, 0);
        EXPECT_EQ(h.ui.questions().at(0).text, QStringLiteral("Do you wish to save any changes you have made?"));
        h.doc.IniPath = iniPath;
        h.ui.shown.clear();
    }
}
