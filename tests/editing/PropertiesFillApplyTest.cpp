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

namespace {

// One switch of the entry and the check box that shows it; Eeprom and OS HLE show the opposite.
struct Switch {
    bool RomEntry::*flag;
    const char *box;
    bool inverted;
};

class PropertiesSwitch : public ::testing::TestWithParam<Switch> {};

TEST_P(PropertiesSwitch, ShowsTheFlagAndWritesItBack)
{
    const Switch &s = GetParam();
    for (const bool flag : {false, true}) {
        RomEntry entry;
        entry.*s.flag = flag;
        frmProperties dialog(entry, {});
        FillRomProperties(dialog, entry);
        auto *box = Find<QCheckBox>(dialog, s.box);
        EXPECT_EQ(box->isChecked(), flag != s.inverted) << s.box << " for " << flag;
        box->setChecked(!box->isChecked());
        dialog.cmdOK_Click();
        EXPECT_EQ(entry.*s.flag, !flag) << s.box << " after toggling from " << flag;
    }
}

INSTANTIATE_TEST_SUITE_P(EverySwitch, PropertiesSwitch,
                         ::testing::Values(Switch{&RomEntry::DisableDynarec, "chkDynaRec", false},
                                           Switch{&RomEntry::ExpansionPak, "chkExpansionPak", false},
                                           Switch{&RomEntry::DisableSpeedSync, "chkSpeedSync", false},
                                           Switch{&RomEntry::DisableTextureCRC, "chkTextureCRC", false},
                                           Switch{&RomEntry::IncTexRectEdge, "chkTexRectEdge", false},
                                           Switch{&RomEntry::DisableEeprom, "chkEeprom", true},
                                           Switch{&RomEntry::DisablePatches, "chkOSHLE", true}),
                         [](const ::testing::TestParamInfo<Switch> &info) { return std::string(info.param.box); });

// What NonDefaultEntry shows in the text boxes and lists, in form order.
QString shownTexts(const PropertiesControls &c)
{
    return QStringList{c.txtRomName->text(),          c.cboComments->currentText(), c.txtInfo->text(),
                       c.txtOSHLE->text(),            c.cboEeprom->currentText(),   c.cboScaleFactor->currentText(),
                       c.cboUCode->currentText()}
        .join(QLatin1Char('|'));
}
const QString NonDefaultTexts = QStringLiteral("Wave Race 64|Almost Playable|Water looks odd|12|4096|8|4");

TEST(PropertiesFill, ShowsEveryFieldWithoutAddingListItems)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_EQ(shownTexts(c), NonDefaultTexts);
    EXPECT_EQ(c.cboComments->count() + c.cboEeprom->count() + c.cboUCode->count(), 5 + 4 + 5);
}

// Unchecked Eeprom and OS HLE boxes grey their fields, which keep their values.
TEST(PropertiesFill, UncheckedInvertedBoxesGreyTheirFieldsUntilCheckedAgain)
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
        for (const QWidget *field : std::initializer_list<const QWidget *>{c.cboEeprom, c.txtOSHLE})
            EXPECT_EQ(field->palette().color(QPalette::Base),
                      checked ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button));
        EXPECT_TRUE(c.lblRescanAfter->isEnabled());
        EXPECT_EQ(shownTexts(c), NonDefaultTexts);
    }
}

struct CountryCase {
    const char *crc, *caption, *imageKey;
};

class PropertiesCountry : public ::testing::TestWithParam<CountryCase> {};

TEST_P(PropertiesCountry, LabelNamesTheCountryWithTheFlagBehindIt)
{
    RomEntry entry;
    entry.CRC = GetParam().crc;
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_EQ(c.lblCountry->text(), QString::fromLatin1(GetParam().caption));
    // The label fits its caption, and the flag stands 100 twips beyond its end.
    EXPECT_EQ(c.lblCountry->width(), c.lblCountry->sizeHint().width());
    EXPECT_EQ(c.imgCountry->pos(), QPoint(c.lblCountry->geometry().right() + 1 + TwipsToPixels(100), TwipsToPixels(360)));
    EXPECT_EQ(c.imgCountry->pixmap().toImage(),
              ImagelistSmall::picture(QString::fromLatin1(GetParam().imageKey)).toImage());
}

INSTANTIATE_TEST_SUITE_P(Codes, PropertiesCountry,
                         ::testing::Values(CountryCase{"7D3C9A6E-4a", "Country - J (Japan)", "Jap"},
                                           CountryCase{"D4D5E3C1-00", "Country -   None", "Proto"},
                                           CountryCase{"CAFEBABE-42", "Country - Unknown", "???"},
                                           CountryCase{"7", "Country - Unknown", "???"}));

TEST(PropertiesApply, WritesEveryControlIntoTheEntry)
{
    RomEntry entry;
    entry.CRC = NonDefaultEntry().CRC;
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_EQ(c.cboComments->currentIndex(), 0) << "an empty comment selects the empty first item";
    c.txtRomName->setText(QStringLiteral("Wave Race 64"));
    c.cboComments->setCurrentText(QStringLiteral("Almost Playable"));
    c.txtInfo->setText(QStringLiteral("Water looks odd"));
    c.txtOSHLE->setText(QStringLiteral("12"));
    c.cboEeprom->setCurrentText(QStringLiteral("4096"));
    c.cboScaleFactor->setCurrentText(QStringLiteral("8"));
    c.cboUCode->setCurrentText(QStringLiteral("4"));
    for (QCheckBox *box : {c.chkDynaRec, c.chkExpansionPak, c.chkSpeedSync, c.chkTextureCRC, c.chkTexRectEdge})
        box->setChecked(true);
    // The size and the count are written although unchecking greys them.
    c.chkEeprom->setChecked(false);
    c.chkOSHLE->setChecked(false);
    dialog.cmdOK_Click();
    EXPECT_EQ(entry, NonDefaultEntry());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    c.txtOSHLE->clear();
    dialog.cmdOK_Click();
    EXPECT_EQ(entry.OSRescanCount, 0) << "an emptied count stores the default";
}

// Entries whose values the lists do not offer (shown as an extra item), or past what can be typed.
class PropertiesRoundTrip : public ::testing::TestWithParam<RomEntry> {};

TEST_P(PropertiesRoundTrip, OkWithoutChangesKeepsTheEntry)
{
    const RomEntry original = GetParam();
    RomEntry entry = original;
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    dialog.cmdOK_Click();
    EXPECT_EQ(entry, original);
}

RomEntry With(void (*change)(RomEntry &))
{
    RomEntry entry = NonDefaultEntry();
    change(entry);
    return entry;
}

INSTANTIATE_TEST_SUITE_P(
    Values, PropertiesRoundTrip,
    ::testing::Values(RomEntry{}, NonDefaultEntry(), With([](RomEntry &e) { e.UCode = 7; }),
                      With([](RomEntry &e) { e.ScaleFactor = 2; }),
                      With([](RomEntry &e) { e.EepromSize = -32768; }),
                      With([](RomEntry &e) { e.Comment = "playable"; }),
                      With([](RomEntry &e) { e.Comment = "Works with glitches"; }),
                      With([](RomEntry &e) { e.OSRescanCount = -3; }),
                      With([](RomEntry &e) { e.Name = std::string(200, 'N'); }),
                      With([](RomEntry &e) { e.Info = "caf\xe9 \x80 bytes & more"; }),
                      With([](RomEntry &e) { e.UnknownLines = {"Cheat0=1"}; })));

} // namespace
