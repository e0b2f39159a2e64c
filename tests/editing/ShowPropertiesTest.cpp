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

// OK writes into the chosen one of two twins; each opening starts from the design state (no
// extra UCode item or unchecked OS HLE carried over); no dialog for an index past the table.
TEST(ShowRomProperties, OkWritesIntoTheChosenEntryOfTwoTwins)
{
    IniDocument doc = TwinsDocument();
    doc.EntryTable[0].UCode = 7;
    const RomEntry firstBefore = doc.EntryTable[0];
    whenModal<frmProperties>([](frmProperties *dialog) {
        EXPECT_EQ(dialog->controls().cboUCode->count(), 6);
        dialog->cmdCancel_Click();
    });
    ShowRomProperties(nullptr, doc, 0, ui, NoPrint);
    whenModal<frmProperties>([](frmProperties *dialog) {
        EXPECT_EQ(dialog->controls().txtInfo->text(), QStringLiteral("The second one"));
        EXPECT_EQ(dialog->controls().cboUCode->count(), 5);
        EXPECT_TRUE(dialog->controls().chkOSHLE->isChecked());
        dialog->controls().txtRomName->setText(QStringLiteral("Renamed twin"));
        QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(ShowRomProperties(nullptr, doc, 1, ui, NoPrint));
    EXPECT_EQ(doc.EntryTable[1].Name, "Renamed twin");
    EXPECT_EQ(doc.EntryTable[0], firstBefore);
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 2, ui, NoPrint));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Escape and Enter are bound to no button; only Cancel and the close box end the dialog
// unchanged. Print hands over the open dialog and leaves it open.
TEST(ShowRomProperties, CancelCloseBoxAndPrintChangeNothing)
{
    QWidget *printed = nullptr;
    const auto print = [&printed](QWidget &dialog) { printed = dialog.isVisible() ? &dialog : nullptr; };
    const std::function<void(frmProperties *)> closers[] = {
        [](frmProperties *dialog) { QTest::mouseClick(dialog->controls().cmdCancel, Qt::LeftButton); },
        [](frmProperties *dialog) { dialog->close(); },
    };
    for (const auto &closeIt : closers) {
        IniDocument doc = TwinsDocument();
        const IniDocument before = doc;
        QWidget *shown = nullptr;
        printed = nullptr;
        whenModal<frmProperties>([&](frmProperties *dialog) {
            shown = dialog;
            dialog->controls().txtRomName->setText(QStringLiteral("Edited, then dropped"));
            dialog->controls().chkDynaRec->setChecked(false);
            QTest::keyClick(dialog->controls().txtRomName, Qt::Key_Escape);
            QTest::keyClick(dialog->controls().txtRomName, Qt::Key_Return);
            QTest::mouseClick(dialog->controls().cmdPrint, Qt::LeftButton);
            EXPECT_TRUE(dialog->isVisible());
            closeIt(dialog);
        });
        EXPECT_FALSE(ShowRomProperties(nullptr, doc, 0, ui, print));
        EXPECT_EQ(doc.EntryTable, before.EntryTable);
        EXPECT_EQ(printed, shown);
    }
}

} // namespace
