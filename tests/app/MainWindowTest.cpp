#include "AppHarness.h"
#include "ModalDriver.h"
#include "app/RomListView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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
    MainWindowTest()
        : list(h.window->findChild<RomListView *>(QStringLiteral("lvwMain"))),
          toolBar(h.window->findChild<QToolBar *>(QStringLiteral("tlbMain")))
    {
    }

    QPoint rowCentre(int row) const { return list->visualRect(list->model()->index(row, 0)).center(); }
    QAction *toolButton(const QString &toolTip) const
    {
        for (QAction *action : toolBar->actions())
            if (action->toolTip() == toolTip)
                return action;
        return nullptr;
    }

    RomListView *list;
    QToolBar *toolBar;
};

} // namespace

TEST_F(MainWindowTest, MenusAndToolBarShowTheirItems)
{
    EXPECT_EQ(shownItems(h.window->menuBar()->actions(), &QAction::text), QStringLiteral("&File|&Functions|&Help"));
    const std::pair<const char *, const char *> menus[] = {
        {"mnuFile", "&Open...|&Recent Files|&Save|S&ave As...|-|Options|-|E&xit"},
        {"mnuFunctions",
         "Find|-|Remove ROM Entry|View ROM Properties|-|crc -> CRC|-|Make Compatibility List|Backup Current ini File"},
        {"mnuHelp", "&About"},
        {"mnulvwpopup", "Properties|-|Remove Entry"},
        {"mnuUndo", "No Undo Available"}};
    for (const auto &[name, items] : menus) {
        const auto *menu = h.window->findChild<QMenu *>(QLatin1String(name));
        ASSERT_NE(menu, nullptr) << name;
        EXPECT_EQ(shownItems(menu->actions(), &QAction::text), QLatin1String(items)) << name;
    }
    EXPECT_FALSE(h.action("mnuUndoItem")->isEnabled());
    EXPECT_EQ(shownItems(toolBar->actions(), &QAction::toolTip),
              QStringLiteral("Open|Save|-|Undo|-|Options|Properties|Remove ROM Entry|-|Exit"));
    for (const QAction *action : toolBar->actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->toolTip().toStdString();
}

TEST_F(MainWindowTest, ClickingAHeaderSortsTheList)
{
    QHeaderView *header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(h.column(0), QStringLiteral("alpha Racer|Bravo|Mega Kart|Zelda Quest"));
}

TEST_F(MainWindowTest, RightReleaseOverARowSelectsItAndPopsUpTheListMenuButNotOverEmptySpace)
{
    auto *popup = h.window->findChild<QMenu *>(QStringLiteral("mnulvwpopup"));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(h.window->selectedEntry(), std::optional<std::size_t>(2));
    popup->hide();

    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(10, list->viewport()->height() - 3));
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(MainWindowTest, LeftDoubleClickOpensThePropertiesOfThatRowRightDoesNot)
{
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

TEST_F(MainWindowTest, PropertiesAndRemoveWithoutASelectedRowDoNothing)
{
    list->clearSelection();
    h.window->viewRomPropertiesCommand();
    h.window->removeRomEntryCommand();
    h.window->tlbMain_ButtonClick(QStringLiteral("Remove ROM Entry"));
    h.window->tlbMain_ButtonClick(QStringLiteral("Something Else"));
    EXPECT_TRUE(h.ui.shown.empty());
    EXPECT_EQ(h.window->model().rowCount(), 4);
}

TEST_F(MainWindowTest, RemovingFromThePopupTakesTheRowOutAndListsItUnderUndo)
{
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    h.ui.yesNoAnswers = {true};
    h.action("mnuRemoveEntryPopup")->trigger();
    EXPECT_EQ(h.window->model().rowCount(), 3);
    EXPECT_EQ(h.status(), QStringLiteral("3 ROM Details"));
    auto *undo = h.window->findChild<QMenu *>(QStringLiteral("mnuUndo"));
    EXPECT_EQ(shownItems(undo->actions(), &QAction::text), QStringLiteral("No Undo Available|alpha Racer"));

    // The Undo button drops its menu just below itself.
    h.window->tlbMain_ButtonClick(QStringLiteral("Undo"));
    EXPECT_TRUE(undo->isVisible());
    const QWidget *button = toolBar->widgetForAction(toolButton(QStringLiteral("Undo")));
    EXPECT_EQ(undo->pos(), button->mapToGlobal(QPoint(0, button->width())));
    undo->hide();
}

TEST_F(MainWindowTest, AboutBoxShowsItsPhraseAndClosesWithOk)
{
    bool checked = false;
    whenModal<QDialog>([&](QDialog *about) {
        checked = true;
        EXPECT_EQ(about->objectName(), QStringLiteral("frmAbout"));
        EXPECT_EQ(about->findChild<QLabel *>(QStringLiteral("lblPhrase"))->text(),
                  QStringLiteral("Official Velmoran ini Editor - v1.1b"));
        EXPECT_FALSE(about->findChild<QLabel *>(QStringLiteral("imgLogo"))->pixmap().isNull());
        about->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
    });
    h.action("mnuAbout")->trigger();
    EXPECT_TRUE(checked);
}

// The menu, the tool button and closing the window all ask the same question.
class ExitRoute : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    void exitBy(int route)
    {
        const std::function<void()> routes[] = {[&] { h.action("mnuExit")->trigger(); },
                                                [&] { toolButton(QStringLiteral("Exit"))->trigger(); },
                                                [&] { h.window->close(); }};
        routes[route]();
    }
};

TEST_P(ExitRoute, AsksOnceAndSavesOnlyOnYes)
{
    for (const bool yes : {false, true}) {
        h.doc.EntryTable[0].Comment = "Changed";
        h.ui.yesNoAnswers = {yes};
        exitBy(GetParam());
        EXPECT_FALSE(h.window->isVisible());
        const std::string saved = readFile(iniPath);
        EXPECT_EQ(saved == sampleIni(), !yes);
        EXPECT_EQ(saved.find("Comment=Changed\r\n") != std::string::npos, yes);
        h.window->show();
    }
    ASSERT_EQ(h.ui.questions().size(), 2u);
    EXPECT_EQ(h.ui.questions()[0].title, QStringLiteral("Save?"));
    EXPECT_EQ(h.ui.questions()[0].text, QStringLiteral("Do you wish to save any changes you have made?"));
    EXPECT_EQ(h.ui.questions()[0].icon, UserInterface::Icon::Question);
}

TEST_P(ExitRoute, AFailedSaveShowsWhyAndStaysOpen)
{
    h.doc.IniPath = h.path("no-such-folder/velmoran.ini");
    h.ui.yesNoAnswers = {true};
    exitBy(GetParam());
    EXPECT_TRUE(h.window->isVisible());
    ASSERT_EQ(h.ui.errors().size(), 1u);
    EXPECT_EQ(h.ui.errors()[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(h.ui.errors()[0].text.startsWith(QStringLiteral("Error 2: ")));
    EXPECT_EQ(h.ui.busyDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ExitRoute, ::testing::Values(0, 1, 2));
