// The properties dialog: filling it from an entry, typing into it, and OK writing it back.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "editing/EditingCommands.h"
#include "editing/RomProperties.h"
#include "inidb/IniDocument.h"
#include "ui/ImagelistSmall.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// Each switch shows its flag (Eeprom and OS HLE the opposite) and OK writes a toggle back.
TEST(PropertiesFill, EverySwitchShowsItsFlagAndWritesItBack)
{
    const std::tuple<bool RomEntry::*, const char *, bool> switches[] = {
        {&RomEntry::DisableDynarec, "chkDynaRec", false},       {&RomEntry::ExpansionPak, "chkExpansionPak", false},
        {&RomEntry::DisableSpeedSync, "chkSpeedSync", false},   {&RomEntry::DisableTextureCRC, "chkTextureCRC", false},
        {&RomEntry::IncTexRectEdge, "chkTexRectEdge", false},   {&RomEntry::DisableEeprom, "chkEeprom", true},
        {&RomEntry::DisablePatches, "chkOSHLE", true}};
    for (const auto &[flag, boxName, inverted] : switches) {
        RomEntry entry;
        frmProperties dialog(entry, {});
        FillRomProperties(dialog, entry);
        auto *box = Find<QCheckBox>(dialog, boxName);
        EXPECT_EQ(box->isChecked(), inverted) << boxName;
        box->setChecked(!inverted);
        dialog.cmdOK_Click();
        EXPECT_TRUE(entry.*flag) << boxName;
    }
}

// Unchecked Eeprom and OS HLE boxes grey their fields, which keep their values; the label
// names the country and the flag behind it shows the same one.
TEST(PropertiesFill, GreysWhatIsSwitchedOffAndNamesTheCountry)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    for (const bool checked : {false, true}) {
        c.chkEeprom->setChecked(checked);
        c.chkOSHLE->setChecked(checked);
        for (const QWidget *widget : std::initializer_list<const QWidget *>{c.cboEeprom, c.lblSize, c.txtOSHLE})
            EXPECT_EQ(widget->isEnabled(), checked) << widget->objectName().toStdString();
        EXPECT_EQ(c.txtOSHLE->text(), QStringLiteral("12"));
    }
    const std::tuple<const char *, const char *, const char *> countries[] = {
        {"7D3C9A6E-4a", "Country - J (Japan)", "Jap"}, {"CAFEBABE-42", "Country - Unknown", "???"},
        {"7", "Country - Unknown", "???"}};
    for (const auto &[crc, caption, imageKey] : countries) {
        entry.CRC = crc;
        frmProperties shown(entry, {});
        FillRomProperties(shown, entry);
        EXPECT_EQ(shown.controls().lblCountry->text(), QString::fromLatin1(caption));
        EXPECT_EQ(shown.controls().imgCountry->pixmap().toImage(),
                  ImagelistSmall::picture(QString::fromLatin1(imageKey)).toImage()) << crc;
    }
}

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
    filled.controls().txtOSHLE->clear();
    filled.cmdOK_Click();
    EXPECT_EQ(entry.OSRescanCount, 0);

    const std::function<void(RomEntry &)> changes[] = {
        [](RomEntry &e) { e = RomEntry{}; },         [](RomEntry &e) { e.UCode = 7; },
        [](RomEntry &e) { e.ScaleFactor = 2; },      [](RomEntry &e) { e.EepromSize = -32768; },
        [](RomEntry &e) { e.Comment = "playable"; }, [](RomEntry &e) { e.OSRescanCount = -3; },
        [](RomEntry &e) {
            static const std::string longName(200, 'N');
            e.Name = longName;
        },
        [](RomEntry &e) { e.Info = "caf\xe9 \x80 bytes & more"; },
        [](RomEntry &e) { e.UnknownLines = {"Cheat0=1"}; }};
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

TEST(PropertiesTyping, BoxesTakeOnlyWhatTheyAllow)
{
    const std::string n150(150, 'n'), i200(200, 'i'), i199(199, 'i');
    // box, text before, cursor (-1: at the end), paste instead of typing, input ("\b": Backspace), text after
    const std::tuple<const char *, std::string, int, bool, std::string, std::string> cases[] = {
        {"txtOSHLE", "", -1, false, "12345", "1234"},     {"txtOSHLE", "", -1, false, "1-.a 2\t\b", "1"},
        {"txtOSHLE", "19", 1, false, "x5", "159"},        {"txtOSHLE", "12", -1, true, "3a", "12"},
        {"txtOSHLE", "12", -1, true, "345", "1234"},      {"txtRomName", "", -1, false, n150 + "n", n150},
        {"txtRomName", n150, -1, true, "more", n150},     {"txtInfo", i200, -1, false, "x\b", i199},
    };
    for (const auto &[box, before, cursor, paste, input, after] : cases) {
        RomEntry entry;
        frmProperties dialog(entry, {});
        auto *edit = Find<QLineEdit>(dialog, box);
        edit->setText(QString::fromStdString(before));
        edit->setCursorPosition(cursor < 0 ? edit->text().size() : cursor);
        if (paste) {
            QApplication::clipboard()->setText(QString::fromStdString(input));
            edit->paste();
        } else {
            QTest::keyClicks(edit, QString::fromStdString(input));
        }
        EXPECT_EQ(edit->text().toStdString(), after) << box << " \"" << before << "\" + \"" << input << "\"";
    }
}

// OK writes into the chosen one of two twins, each opening starting from the design state
// (no extra UCode item carried over); Escape, Enter, Print, Cancel and the close box change
// nothing, and Print hands over the open dialog.
TEST(ShowRomProperties, OkWritesIntoTheChosenTwinAndEveryOtherWayOutChangesNothing)
{
    IniDocument doc;
    doc.EntryTable = {NonDefaultEntry(), NonDefaultEntry()};
    doc.EntryTable[0].UCode = 7;
    doc.EntryTable[1].Info = "The second one";
    const IniDocument before = doc;
    FakeUserInterface ui;
    QWidget *printed = nullptr;
    const auto print = [&printed](QWidget &dialog) { printed = dialog.isVisible() ? &dialog : nullptr; };
    const std::function<void(frmProperties *)> closers[] = {
        [](frmProperties *dialog) { QTest::mouseClick(dialog->controls().cmdCancel, Qt::LeftButton); },
        [](frmProperties *dialog) { dialog->close(); }};
    for (const auto &closeIt : closers) {
        QWidget *shown = nullptr;
        whenModal<frmProperties>([&](frmProperties *dialog) {
            shown = dialog;
            EXPECT_EQ(dialog->controls().cboUCode->count(), 6);
            dialog->controls().txtRomName->setText(QStringLiteral("Edited, then dropped"));
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
    whenModal<frmProperties>([](frmProperties *dialog) {
        EXPECT_EQ(dialog->controls().txtInfo->text(), QStringLiteral("The second one"));
        EXPECT_EQ(dialog->controls().cboUCode->count(), 5);
        dialog->controls().txtRomName->setText(QStringLiteral("Renamed twin"));
        QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
    });
    EXPECT_TRUE(ShowRomProperties(nullptr, doc, 1, ui, {}));
    EXPECT_EQ(doc.EntryTable[1].Name, "Renamed twin");
    EXPECT_EQ(doc.EntryTable[0], before.EntryTable[0]);
    EXPECT_FALSE(ShowRomProperties(nullptr, doc, 2, ui, {}));
}

} // namespace
