// Filling the dialog from an entry and writing it back with OK.
#include "PropertiesTestEntries.h"

#include "editing/RomProperties.h"
#include "ui/ImagelistSmall.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace {

// What an entry shows in the text boxes and lists, in form order.
QString shownTexts(const PropertiesControls &c)
{
    return QStringList{c.txtRomName->text(),     c.cboComments->currentText(),    c.txtInfo->text(),
                       c.txtOSHLE->text(),       c.cboEeprom->currentText(),      c.cboScaleFactor->currentText(),
                       c.cboUCode->currentText()}
        .join(QLatin1Char('|'));
}

// Each switch shows its flag (Eeprom and OS HLE the opposite) and OK writes a toggle back.
TEST(PropertiesFill, EverySwitchShowsItsFlagAndWritesItBack)
{
    const std::tuple<bool RomEntry::*, const char *, bool> switches[] = {
        {&RomEntry::DisableDynarec, "chkDynaRec", false},       {&RomEntry::ExpansionPak, "chkExpansionPak", false},
        {&RomEntry::DisableSpeedSync, "chkSpeedSync", false},   {&RomEntry::DisableTextureCRC, "chkTextureCRC", false},
        {&RomEntry::IncTexRectEdge, "chkTexRectEdge", false},   {&RomEntry::DisableEeprom, "chkEeprom", true},
        {&RomEntry::DisablePatches, "chkOSHLE", true}};
    for (const auto &[flag, boxName, inverted] : switches)
        for (const bool on : {false, true}) {
            RomEntry entry;
            entry.*flag = on;
            frmProperties dialog(entry, {});
            FillRomProperties(dialog, entry);
            auto *box = Find<QCheckBox>(dialog, boxName);
            EXPECT_EQ(box->isChecked(), on != inverted) << boxName << " for " << on;
            box->setChecked(!box->isChecked());
            dialog.cmdOK_Click();
            EXPECT_EQ(entry.*flag, !on) << boxName << " after toggling from " << on;
        }
}

// Every field shows without adding list items; unchecked Eeprom and OS HLE boxes grey their
// fields, which keep their values.
TEST(PropertiesFill, ShowsEveryFieldAndGreysWhatIsSwitchedOff)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_EQ(c.cboComments->count() + c.cboEeprom->count() + c.cboUCode->count(), 5 + 4 + 5);
    for (const bool checked : {false, true}) {
        c.chkEeprom->setChecked(checked);
        c.chkOSHLE->setChecked(checked);
        for (const QWidget *widget : std::initializer_list<const QWidget *>{c.cboEeprom, c.lblSize, c.txtOSHLE})
            EXPECT_EQ(widget->isEnabled(), checked) << widget->objectName().toStdString();
        EXPECT_EQ(c.txtOSHLE->palette().color(QPalette::Base),
                  checked ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button));
        EXPECT_TRUE(c.lblRescanAfter->isEnabled());
        EXPECT_EQ(shownTexts(c), QStringLiteral("Wave Race 64|Almost Playable|Water looks odd|12|4096|8|4"));
    }
}

// The label names the country, fits its caption, and the flag stands 100 twips beyond its end.
TEST(PropertiesFill, CountryLabelWithTheFlagBehindIt)
{
    const std::tuple<const char *, const char *, const char *> countries[] = {
        {"7D3C9A6E-4a", "Country - J (Japan)", "Jap"}, {"D4D5E3C1-00", "Country -   None", "Proto"},
        {"CAFEBABE-42", "Country - Unknown", "???"},   {"7", "Country - Unknown", "???"}};
    for (const auto &[crc, caption, imageKey] : countries) {
        RomEntry entry;
        entry.CRC = crc;
        frmProperties dialog(entry, {});
        FillRomProperties(dialog, entry);
        const PropertiesControls &c = dialog.controls();
        EXPECT_EQ(c.lblCountry->text(), QString::fromLatin1(caption));
        EXPECT_EQ(c.lblCountry->width(), c.lblCountry->sizeHint().width()) << crc;
        EXPECT_EQ(c.imgCountry->pos(), QPoint(c.lblCountry->geometry().right() + 1 + TwipsToPixels(100), TwipsToPixels(360)));
        EXPECT_EQ(c.imgCountry->pixmap().toImage(), ImagelistSmall::picture(QString::fromLatin1(imageKey)).toImage()) << crc;
    }
}

// Every control filled from one entry writes its field into another entry on OK, the size
// and the count although their unchecked boxes grey them; an emptied count stores the default.
TEST(PropertiesApply, WritesEveryControlIntoTheEntry)
{
    RomEntry entry;
    entry.CRC = NonDefaultEntry().CRC; // shown, never written
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    EXPECT_EQ(dialog.controls().cboComments->currentIndex(), 0) << "an empty comment selects the empty first item";
    FillRomProperties(dialog, NonDefaultEntry());
    dialog.cmdOK_Click();
    EXPECT_EQ(entry, NonDefaultEntry());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.controls().txtOSHLE->clear();
    dialog.cmdOK_Click();
    EXPECT_EQ(entry.OSRescanCount, 0);
}

// Values the lists do not offer (shown as an extra item), or past what can be typed, survive
// an OK without changes.
TEST(PropertiesRoundTrip, OkWithoutChangesKeepsTheEntry)
{
    const std::function<void(RomEntry &)> changes[] = {
        [](RomEntry &e) { e = RomEntry{}; },         [](RomEntry &) {},
        [](RomEntry &e) { e.UCode = 7; },            [](RomEntry &e) { e.ScaleFactor = 2; },
        [](RomEntry &e) { e.EepromSize = -32768; },  [](RomEntry &e) { e.Comment = "playable"; },
        [](RomEntry &e) { e.Comment = "Works with glitches"; }, [](RomEntry &e) { e.OSRescanCount = -3; },
        [](RomEntry &e) {
            static const std::string longName(200, 'N');
            e.Name = longName;
        },
        [](RomEntry &e) { e.Info = "caf\xe9 \x80 bytes & more"; },
        [](RomEntry &e) { e.UnknownLines = {"Cheat0=1"}; }};
    for (const auto &change : changes) {
        RomEntry original = NonDefaultEntry();
        change(original);
        RomEntry entry = original;
        frmProperties dialog(entry, {});
        FillRomProperties(dialog, entry);
        dialog.cmdOK_Click();
        EXPECT_EQ(entry, original) << "case " << (&change - changes);
    }
}

} // namespace
