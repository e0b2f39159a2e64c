// Filling the dialog from an entry and writing it back with OK.
#include "PropertiesTestEntries.h"

#include "editing/RomProperties.h"
#include "ui/Twips.h"
#include "ui/ImagelistSmall.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// One switch of the entry and the check box that shows it.
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

TEST(PropertiesFill, ShowsEveryField)
{
    const RomEntry entry = NonDefaultEntry();
    RomEntry target = entry;
    frmProperties dialog(target, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_EQ(c.txtRomName->text(), QStringLiteral("Wave Race 64"));
    EXPECT_EQ(c.cboComments->currentText(), QStringLiteral("Almost Playable"));
    EXPECT_EQ(c.txtInfo->text(), QStringLiteral("Water looks odd"));
    EXPECT_EQ(c.txtOSHLE->text(), QStringLiteral("12"));
    EXPECT_EQ(c.cboEeprom->currentText(), QStringLiteral("4096"));
    EXPECT_EQ(c.cboScaleFactor->currentText(), QStringLiteral("8"));
    EXPECT_EQ(c.cboUCode->currentText(), QStringLiteral("4"));
    // No value of the lists was added: all of them are items.
    EXPECT_EQ(c.cboComments->count(), 5);
    EXPECT_EQ(c.cboEeprom->count(), 4);
}

TEST(PropertiesFill, EmptyCommentSelectsTheEmptyFirstItem)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    EXPECT_EQ(dialog.controls().cboComments->currentIndex(), 0);
    EXPECT_EQ(dialog.controls().cboComments->count(), 5);
}

TEST(PropertiesFill, DisabledEepromGreysTheSizeButKeepsIt)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    EXPECT_FALSE(c.cboEeprom->isEnabled());
    EXPECT_FALSE(c.lblSize->isEnabled());
    EXPECT_EQ(c.cboEeprom->palette().color(QPalette::Base), buttonFace);
    EXPECT_EQ(c.cboEeprom->currentText(), QStringLiteral("4096"));
    EXPECT_TRUE(c.Label4->isEnabled());

    c.chkEeprom->setChecked(true);
    EXPECT_TRUE(c.cboEeprom->isEnabled());
    EXPECT_TRUE(c.lblSize->isEnabled());
    EXPECT_EQ(c.cboEeprom->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(PropertiesFill, DisabledPatchesGreyOnlyTheRescanBox)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_FALSE(c.txtOSHLE->isEnabled());
    EXPECT_EQ(c.txtOSHLE->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(c.txtOSHLE->text(), QStringLiteral("12"));
    for (const QLabel *label : {c.lblRescanAfter, c.lblDMATransfers, c.Label5})
        EXPECT_TRUE(label->isEnabled()) << label->objectName().toStdString();

    c.chkOSHLE->setChecked(true);
    EXPECT_TRUE(c.txtOSHLE->isEnabled());
    EXPECT_EQ(c.txtOSHLE->palette().color(QPalette::Base), QColor(Qt::white));
}

struct CountryCase {
    const char *crc;
    const char *caption;
    const char *imageKey;
};

class PropertiesCountry : public ::testing::TestWithParam<CountryCase> {};

TEST_P(PropertiesCountry, LabelReadsTheDialogsWordingWithTheFlagBehindIt)
{
    RomEntry entry;
    entry.CRC = GetParam().crc;
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    EXPECT_EQ(c.lblCountry->text(), QString::fromLatin1(GetParam().caption));
    // The label fits its caption, and the flag stands 100 twips beyond its end.
    EXPECT_EQ(c.lblCountry->width(), c.lblCountry->sizeHint().width());
    EXPECT_EQ(c.imgCountry->x(), c.lblCountry->x() + c.lblCountry->width() + TwipsToPixels(100));
    EXPECT_EQ(c.imgCountry->y(), TwipsToPixels(360));
    EXPECT_EQ(c.imgCountry->pixmap().toImage(),
              ImagelistSmall::picture(QString::fromLatin1(GetParam().imageKey)).toImage());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PropertiesCountry,
    ::testing::Values(CountryCase{"7D3C9A6E-4a", "Country - J (Japan)", "Jap"},
                      CountryCase{"D4D5E3C1-00", "Country -   None", "Proto"},
                      CountryCase{"CAFEBABE-53", "Country - S (Spa)", "Spa"},
                      CountryCase{"CAFEBABE-59", "Country - Y (PAL)", "Pal"},
                      CountryCase{"CAFEBABE-42", "Country - Unknown", "???"},
                      CountryCase{"7", "Country - Unknown", "???"}));

TEST(PropertiesFill, LongerCountryTextPushesTheFlagFurther)
{
    RomEntry shortName, longName;
    shortName.CRC = "X-00";
    longName.CRC = "X-55";
    frmProperties shortDialog(shortName, {}), longDialog(longName, {});
    FillRomProperties(shortDialog, shortName);
    FillRomProperties(longDialog, longName);
    EXPECT_GT(longDialog.controls().imgCountry->x(), shortDialog.controls().imgCountry->x());
}

TEST(PropertiesApply, WritesEveryControlIntoTheEntry)
{
    RomEntry entry;
    entry.CRC = "ABCDEF01-45";
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    c.txtRomName->setText(QStringLiteral("Renamed"));
    c.cboComments->setCurrentText(QStringLiteral("Not Playable"));
    c.txtInfo->setText(QStringLiteral("Needs the pak"));
    c.txtOSHLE->setText(QStringLiteral("9999"));
    c.cboEeprom->setCurrentText(QStringLiteral("8192"));
    c.cboScaleFactor->setCurrentText(QStringLiteral("8"));
    c.cboUCode->setCurrentText(QStringLiteral("6"));
    c.chkExpansionPak->setChecked(true);
    dialog.cmdOK_Click();

    RomEntry expected;
    expected.CRC = "ABCDEF01-45";
    expected.Name = "Renamed";
    expected.Comment = "Not Playable";
    expected.Info = "Needs the pak";
    expected.OSRescanCount = 9999;
    expected.EepromSize = 8192;
    expected.ScaleFactor = 8;
    expected.UCode = 6;
    expected.ExpansionPak = true;
    EXPECT_EQ(entry, expected);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PropertiesApply, DisabledControlsAreStillWritten)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    const PropertiesControls &c = dialog.controls();
    c.cboEeprom->setCurrentText(QStringLiteral("4096"));
    c.txtOSHLE->setText(QStringLiteral("12"));
    c.chkEeprom->setChecked(false);
    c.chkOSHLE->setChecked(false);
    dialog.cmdOK_Click();
    EXPECT_TRUE(entry.DisableEeprom);
    EXPECT_EQ(entry.EepromSize, 4096);
    EXPECT_TRUE(entry.DisablePatches);
    EXPECT_EQ(entry.OSRescanCount, 12);
}

TEST(PropertiesApply, EmptiedRescanCountAndEmptyCommentStoreTheDefaults)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    dialog.controls().txtOSHLE->clear();
    dialog.controls().cboComments->setCurrentIndex(0);
    dialog.cmdOK_Click();
    EXPECT_EQ(entry.OSRescanCount, 0);
    EXPECT_EQ(entry.Comment, "");
}

// Entries whose values the lists do not offer, or that are past what can be typed.
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
    ::testing::Values(RomEntry{}, NonDefaultEntry(),
                      With([](RomEntry &e) { e.UCode = 7; }), With([](RomEntry &e) { e.UCode = 2; }),
                      With([](RomEntry &e) { e.UCode = -1; }), With([](RomEntry &e) { e.ScaleFactor = 2; }),
                      With([](RomEntry &e) { e.EepromSize = 512; }), With([](RomEntry &e) { e.EepromSize = -32768; }),
                      With([](RomEntry &e) { e.Comment = "Works with glitches"; }),
                      With([](RomEntry &e) { e.Comment = "playable"; }),
                      With([](RomEntry &e) { e.OSRescanCount = -3; }),
                      With([](RomEntry &e) { e.OSRescanCount = 32767; }),
                      With([](RomEntry &e) { e.Name = std::string(200, 'N'); }),
                      With([](RomEntry &e) { e.Info = "caf\xe9 \x80 bytes & more"; }),
                      With([](RomEntry &e) { e.UnknownLines = {"Cheat0=1"}; })));

TEST(PropertiesFill, ValueOutsideItsListIsShownAsAnExtraSelectedItem)
{
    RomEntry entry = NonDefaultEntry();
    entry.UCode = 7;
    entry.Comment = "Works with glitches";
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    EXPECT_EQ(dialog.controls().cboUCode->currentText(), QStringLiteral("7"));
    EXPECT_EQ(dialog.controls().cboUCode->count(), 6);
    EXPECT_EQ(dialog.controls().cboComments->currentText(), QStringLiteral("Works with glitches"));
}

} // namespace
