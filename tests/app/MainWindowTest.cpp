#include "AppHarness.h"
#include "ModalDriver.h"
#include "app/RomListView.h"
#include "inidb/IniReader.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

// Caption per item, "-" for a separator: object name and caption.
using MenuItems = std::vector<std::pair<const char *, const char *>>;

void expectMenu(const QMenu *menu, const MenuItems &items)
{
    ASSERT_NE(menu, nullptr);
    const QList<QAction *> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size())) << menu->objectName().toStdString();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QAction *action = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(action->objectName(), QLatin1String(items[i].first));
        if (std::string_view(items[i].second) == "-")
            EXPECT_TRUE(action->isSeparator()) << items[i].first;
        else
            EXPECT_EQ(action->text(), QLatin1String(items[i].second));
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
}

QAction *toolButton(QToolBar *bar, const char *toolTip)
{
    for (QAction *action : bar->actions())
        if (action->toolTip() == QLatin1String(toolTip))
            return action;
    return nullptr;
}

QPoint rowCentre(RomListView *list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        iniPath = h.writeSample();
        h.openWindow(iniPath);
        list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
        toolBar = h.window->findChild<QToolBar *>(QStringLiteral("tlbMain"));
    }

    QString status() const
    {
        return h.window->findChild<QLabel *>(QStringLiteral("stbMainPanel1"))->text();
    }

    AppHarness h;
    std::string iniPath;
    RomListView *list = nullptr;
    QToolBar *toolBar = nullptr;
};

} // namespace

TEST_F(MainWindowTest, MenuTreeHasTheExactCaptionsAndOnlyThreeMenusInTheBar)
{
    QStringList bar;
    for (const QAction *action : h.window->menuBar()->actions())
        bar.append(action->text());
    EXPECT_EQ(bar, (QStringList{QStringLiteral("&File"), QStringLiteral("&Functions"), QStringLiteral("&Help")}));
    const auto menu = [&](const char *name) { return h.window->findChild<QMenu *>(QLatin1String(name)); };
    expectMenu(menu("mnuFile"), {{"mnuOpen", "&Open..."}, {"mnuSave", "&Save"}, {"mnuSaveAs", "S&ave As..."},
                                 {"mnuDiv2", "-"}, {"mnuOptions", "Options"}, {"mnuDiv1", "-"},
                                 {"mnuExit", "E&xit"}});
    expectMenu(menu("mnuFunctions"),
               {{"mnuRemoveEntry", "Remove ROM Entry"}, {"mnuProperties", "View ROM Properties"},
                {"mnuFunctionsDiv2", "-"}, {"mnuCrcUcase", "crc -> CRC"}, {"mnuFunctionsDiv1", "-"},
                {"mnuMakeCompat", "Make Compatibility List"}, {"mnuBackupini", "Backup Current ini File"}});
    expectMenu(menu("mnuHelp"), {{"mnuAbout", "&About"}});
    expectMenu(menu("mnulvwpopup"),
               {{"mnuPopupProperties", "Properties"}, {"mnuDiv4", "-"}, {"mnuRemoveEntryPopup", "Remove Entry"}});
    expectMenu(menu("mnuUndo"), {{"mnuUndoItem", "No Undo Available"}});
    EXPECT_FALSE(menu("mnuUndo")->actions().constFirst()->isEnabled());
    EXPECT_EQ(menu("mnuEdit")->title(), QStringLiteral("Edit"));
}

TEST_F(MainWindowTest, ToolBarHasTenButtonsWithPicturesAndToolTips)
{
    const QStringList expected{QStringLiteral("Open"), QStringLiteral("Save"), QString(), QStringLiteral("Undo"),
                               QString(), QStringLiteral("Options"), QStringLiteral("Properties"),
                               QStringLiteral("Remove ROM Entry"), QString(), QStringLiteral("Exit")};
    const QList<QAction *> actions = toolBar->actions();
    ASSERT_EQ(actions.size(), expected.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->isSeparator(), expected[i].isEmpty());
        if (expected[i].isEmpty())
            continue;
        EXPECT_EQ(actions[i]->toolTip(), expected[i]);
        EXPECT_FALSE(actions[i]->icon().isNull());
        const auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(actions[i]));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
}

TEST_F(MainWindowTest, FilledListCountsItsRowsAndShowsTheCaption)
{
    EXPECT_EQ(status(), QStringLiteral("4 ROM Details"));
    EXPECT_EQ(h.window->windowTitle(),
              QStringLiteral("Tamsic (Velmoran ini Editor) v1.1b - ") + QString::fromStdString(iniPath));
    EXPECT_TRUE(h.ui.shown.empty());
}

TEST_F(MainWindowTest, RightReleaseOverARowSelectsItAndPopsUpTheListMenu)
{
    auto *popup = h.window->findChild<QMenu *>(QStringLiteral("mnulvwpopup"));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(list, 2));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(h.window->selectedEntry(), std::optional<std::size_t>(2));
    popup->hide();

    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(10, list->viewport()->height() - 3));
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(MainWindowTest, LeftDoubleClickOpensThePropertiesOfThatRowRightDoesNot)
{
    QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, rowCentre(list, 1));
    EXPECT_EQ(h.window->findChild<QDialog *>(QStringLiteral("frmProperties")), nullptr);

    QString shownName;
    whenModal<QDialog>([&](QDialog *dialog) {
        shownName = dialog->objectName();
        dialog->reject();
    });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
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
    h.window->findChild<QAction *>(QStringLiteral("mnuRemoveEntryPopup"))->trigger();
    EXPECT_EQ(h.window->model().rowCount(), 3);
    EXPECT_EQ(status(), QStringLiteral("3 ROM Details"));
    auto *undo = h.window->findChild<QMenu *>(QStringLiteral("mnuUndo"));
    ASSERT_EQ(undo->actions().size(), 2);
    EXPECT_EQ(undo->actions()[1]->text(), QStringLiteral("alpha Racer"));

    h.window->tlbMain_ButtonClick(QStringLiteral("Undo"));
    EXPECT_TRUE(undo->isVisible());
    const QWidget *button = toolBar->widgetForAction(toolButton(toolBar, "Undo"));
    EXPECT_EQ(undo->pos(), button->mapToGlobal(QPoint(0, button->width())));
    undo->hide();
}

TEST_F(MainWindowTest, AboutBoxShowsItsPhraseAndClosesWithOk)
{
    bool checked = false;
    whenModal<QDialog>([&](QDialog *about) {
        checked = true;
        EXPECT_EQ(about->objectName(), QStringLiteral("frmAbout"));
        EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
        EXPECT_EQ(about->size(), QSize(271, 177));
        EXPECT_EQ(about->findChild<QLabel *>(QStringLiteral("lblPhrase"))->text(),
                  QStringLiteral("Official Velmoran ini Editor - v1.1b"));
        EXPECT_FALSE(about->findChild<QLabel *>(QStringLiteral("imgLogo"))->pixmap().isNull());
        about->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
    });
    h.window->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
    EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, ATinyOrMinimisedWindowKeepsWorking)
{
    h.window->resize(1, 1);
    QApplication::processEvents();
    h.window->showMinimized();
    QApplication::processEvents();
    h.window->showNormal();
    h.window->resize(692, 520);
    QApplication::processEvents();
    EXPECT_GT(list->height(), 0);
}

// The three ways to end the program ask the same question.
class ExitRoute : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    void exitBy(int route)
    {
        if (route == 0)
            h.window->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
        else if (route == 1)
            toolButton(toolBar, "Exit")->trigger();
        else
            h.window->close();
    }
};

TEST_P(ExitRoute, NoEndsWithoutWriting)
{
    h.doc.EntryTable[0].Comment = "Changed";
    h.ui.yesNoAnswers = {false};
    exitBy(GetParam());
    ASSERT_EQ(h.ui.questions().size(), 1u);
    EXPECT_EQ(h.ui.questions()[0].title, QStringLiteral("Save?"));
    EXPECT_EQ(h.ui.questions()[0].text, QStringLiteral("Do you wish to save any changes you have made?"));
    EXPECT_EQ(h.ui.questions()[0].icon, UserInterface::Icon::Question);
    EXPECT_FALSE(h.window->isVisible());
    EXPECT_EQ(readFile(iniPath), sampleIni());
}

TEST_P(ExitRoute, YesSavesFirstAndEnds)
{
    h.doc.EntryTable[0].Comment = "Changed";
    h.ui.yesNoAnswers = {true};
    exitBy(GetParam());
    EXPECT_FALSE(h.window->isVisible());
    EXPECT_NE(readFile(iniPath).find("Comment=Changed\r\n"), std::string::npos);
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
