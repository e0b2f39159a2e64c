// The properties command as the main window runs it: a real modal dialog.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "editing/EditingCommands.h"
#include "inidb/IniDocument.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Two ROMs of the same name and country, told apart only by their place in the table.
IniDocument TwinsDocument()
{
    IniDocument doc;
    doc.EntryTable = {NonDefaultEntry(), NonDefaultEntry()};
    doc.EntryTable[1].CRC = "11111111-45";
    doc.EntryTable[1].Info = "The second one";
    doc.EntryTable[1].DisablePatches = false;
    return doc;
}

const frmProperties::PrintFunction NoPrint;
// None of these openings has a message to show.
FakeUserInterface ui;

TEST(ShowRomProperties, OkWritesIntoTheChosenEntryOfTwoTwins)
{
    IniDocument doc = TwinsDocument();
    const RomEntry firstBefore = doc.EntryTable[0];
    whenModal<frmProperties>([](frmProperties *dialog) {
        EXPECT_EQ(dialog->controls().txtInfo->text(), QStringLiteral("The second one"));
        dialog->controls().txtRomName->setText(QStringLiteral("Renamed twin"));
        QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(ShowRomProperties(nullptr, doc, 1, ui, NoPrint));
    EXPECT_EQ(doc.EntryTable[1].Name, "Renamed twin");
    EXPECT_EQ(doc.EntryTable[0], firstBefore);
}

// Escape and Enter are bound to no button; only Cancel and the close box end the dialog unchanged.
TEST(ShowRomProperties, CancelAndTheCloseBoxChangeNothing)
{
    const std::function<void(frmProperties *)> closers[] = {
        [](frmProperties *dialog) { QTest::mouseClick(dialog->controls().cmdCancel, Qt::LeftButton); },
        [](frmProperties *dialog) { dialog->close(); },
    };
    for (const auto &closeIt : closers) {
        IniDocument doc = TwinsDocument();
        const IniDocument before = doc;
        whenModal<frmProperties>([closeIt](frmProperties *dialog) {
            dialog->controls().txtRomName->setText(QStringLiteral("Edited, then dropped"));
            dialog->controls().chkDynaRec->setChecked(false);
            QTest::keyClick(dialog->controls().txtRomName, Qt::Key_Escape);
            QTest::keyClick(dialog->controls().txtRomName, Qt::Key_Return);
            EXPECT_TRUE(dialog->isVisible());
            closeIt(dialog);
        });
        EXPECT_FALSE(ShowRomProperties(nullptr, doc, 0, ui, NoPrint));
        EXPECT_EQ(doc.EntryTable, before.EntryTable);
    }
}

TEST(ShowRomProperties, PrintHandsOverTheOpenDialogAndLeavesItOpen)
{
    IniDocument doc = TwinsDocument();
    QWidget *printed = nullptr;
    QWidget *shown = nullptr;
    const auto print = [&printed](QWidget &dialog) { printed = dialog.isVisible() ? &dialog : nullptr; };
    whenModal<frmProperties>([&shown](frmProperties *dialog) {
        shown = dialog;
        QTest::mouseClick(dialog->controls().cmdPrint, Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        dialog->cmdCancel_Click();
    });
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 0, ui, print));
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(printed, shown);
}

// Nothing of the first entry's filling (an extra UCode, an unchecked OS HLE) carries over to the next opening.
TEST(ShowRomProperties, EveryOpeningStartsFromTheDesignState)
{
    IniDocument doc = TwinsDocument();
    doc.EntryTable[0].UCode = 7;
    for (const auto &[index, ucodes, osHle] : {std::tuple(0u, 6, false), std::tuple(1u, 5, true)}) {
        whenModal<frmProperties>([ucodes, osHle](frmProperties *dialog) {
            EXPECT_EQ(dialog->controls().cboUCode->count(), ucodes);
            EXPECT_EQ(dialog->controls().chkOSHLE->isChecked(), osHle);
            dialog->cmdCancel_Click();
        });
        ShowRomProperties(nullptr, doc, index, ui, NoPrint);
    }
}

TEST(ShowRomProperties, IndexOutsideTheTableShowsNothing)
{
    IniDocument doc = TwinsDocument();
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 2, ui, NoPrint));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
