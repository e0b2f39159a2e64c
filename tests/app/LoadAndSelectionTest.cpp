#include "AppHarness.h"
#include "app/RomListView.h"

#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The menu items and tool bar buttons that act on the selected row, "1" enabled, "0" greyed.
QString rowCommandStates(const AppHarness &h)
{
    QString states;
    for (const char *name : {"mnuRemoveEntry", "mnuProperties", "mnuPopupProperties", "mnuRemoveEntryPopup"})
        states += h.action(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    for (const QAction *button : h.window->findChild<QToolBar *>(QStringLiteral("tlbMain"))->actions())
        if (button->toolTip() == QStringLiteral("Properties") || button->toolTip() == QStringLiteral("Remove ROM Entry"))
            states += button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

// The row drawn as current is the selected one, and the row commands follow it.
void expectCurrentIsSelected(AppHarness &h, int row, const char *states)
{
    const auto *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    EXPECT_EQ(list->currentIndex().row(), row);
    EXPECT_EQ(h.window->selectedEntry().has_value(), row >= 0);
    if (row >= 0)
        EXPECT_EQ(h.window->selectedEntry(), h.window->proxy().entryIndex(list->currentIndex()));
    EXPECT_EQ(rowCommandStates(h), QLatin1String(states));
}

} // namespace

using LoadAndSelection = OpenedSample;

TEST_F(LoadAndSelection, WhatLooksCurrentIsSelectedAndRowCommandsGreyWithoutASelection)
{
    auto *list = h.window->findChild<RomListView *>(QStringLiteral("lvwMain"));
    expectCurrentIsSelected(h, 0, "111111");
    QTest::keyClick(list, Qt::Key_Down);
    expectCurrentIsSelected(h, 1, "111111");
    h.ui.yesNoAnswers = {true};
    h.window->removeRomEntryCommand();
    ASSERT_EQ(h.window->model().rowCount(), 3);
    expectCurrentIsSelected(h, std::max(list->currentIndex().row(), 0), "111111");
    list->clearSelection();
    EXPECT_EQ(rowCommandStates(h), QStringLiteral("000000"));

    writeFile(iniPath, "// no ROMs\r\n");
    h.openWindow(iniPath);
    expectCurrentIsSelected(h, -1, "000000");
}

// Lines that could not be read are told at the load, not again at every save's reload,
// and still written back; reading the file afresh tells them again.
TEST_F(LoadAndSelection, UnreadableLinesAreToldOncePerLoad)
{
    writeFile(iniPath, sampleIni() + "{01020304-05060708-C:45}\r\nName=Bad\r\nUCode=many\r\n\r\n");
    h.openWindow(iniPath);
    h.window->saveCommand();
    h.window->saveCommand();
    EXPECT_EQ(h.ui.errors().size(), 1u);
    EXPECT_NE(readFile(iniPath).find("UCode=many"), std::string::npos);
    h.window->loadIniFile();
    EXPECT_EQ(h.ui.errors().size(), 2u);
}
