// The properties dialog: OK writing every control back, and every other way out changing nothing.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "editing/EditingCommands.h"
#include "editing/RomProperties.h"
#include "inidb/IniDocument.h"
#include "TestText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// Every control filled from one entry writes its field on OK, also those greyed out; values
// the lists do not offer, or past what can be typed, survive an OK without changes.
TEST(PropertiesApply, OkWritesEveryControlAndKeepsWhatWasNotChanged)
{
    RomEntry entry;
    entry.CRC = NonDefaultEntry().CRC; // shown, never written
    frmProperties filled(entry, {});
    FillRomProperties(filled, NonDefaultEntry());
    filled.cmdOK_Click();
    EXPECT_EQ(entry, NonDefaultEntry());

    const std::function<void(RomEntry &)> changes[] = {
        [](RomEntry &e) { e = RomEntry{}; },         [](RomEntry &e) { e.UCode = 7; },
        [](RomEntry &e) { e.ScaleFactor = 2; },      [](RomEntry &e) { e.EepromSize = -32768; },
        [](RomEntry &e) { e.Comment = Text("playable"); }, [](RomEntry &e) { e.OSRescanCount = -3; },
        [](RomEntry &e) {
            static const std::string longName(200, 'N');
            e.Name = Text(longName);
        },
        // Beyond what a line edit holds by default, and beyond what it lays out quickly.
        [](RomEntry &e) { e.Name = Text(std::string(40000, 'N')); },
        [](RomEntry &e) { e.Info = Text(std::string(4 << 20, 'i')); },
        [](RomEntry &e) { e.Info = Text("caf\xe9 \x80 bytes & more"); },
        [](RomEntry &e) { e.UnknownLines = Text("Cheat0=1\r\n"); }};
    for (const auto &change : changes) {
        RomEntry original = NonDefaultEntry();
        change(original);
        RomEntry edited = original;
        frmProperties dialog(edited, {});
        FillRomProperties(dialog, edited);
        dialog.cmdOK_Click();
        EXPECT_EQ(edited, original) << "case " << (&change - changes);
    }
}

// OK writes into the chosen one of two twins, each opening starting from the design state
// (no extra UCode item carried over); Esc and the close box change nothing, Enter is OK.
TEST(ShowRomProperties, OkWritesIntoTheChosenTwinAndEveryOtherWayOutChangesNothing)
{
    IniDocument doc;
    doc.EntryTable = {NonDefaultEntry(), NonDefaultEntry()};
    doc.EntryTable[0].UCode = 7;
    doc.EntryTable[1].Info = Text("The second one");
    const IniDocument before = doc;
    FakeUserInterface ui;
    whenModal<frmProperties>([&](frmProperties *dialog) {
        EXPECT_EQ(dialog->controls().cboUCode->count(), 6);
        dialog->controls().txtRomName->setText(QStringLiteral("Edited, then dropped"));
        QTest::keyClick(dialog->controls().txtRomName, Qt::Key_Escape);
    });
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 0, ui, {}));
    whenModal<frmProperties>([](frmProperties *dialog) { dialog->close(); });
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 0, ui, {}));
    EXPECT_EQ(doc.EntryTable, before.EntryTable);
    whenModal<frmProperties>([](frmProperties *dialog) {
        EXPECT_EQ(dialog->controls().cboUCode->count(), 5);
        dialog->controls().txtRomName->setText(QStringLiteral("Renamed twin"));
        QTest::keyClick(dialog->controls().txtRomName, Qt::Key_Return);
    });
    const auto edited = ShowRomProperties(nullptr, doc, 1, ui, {});
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->values.Name, "Renamed twin");
    EXPECT_EQ(edited->values.Info, "The second one");
    EXPECT_EQ(doc.EntryTable, before.EntryTable);
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 2, ui, {}));
}

} // namespace
