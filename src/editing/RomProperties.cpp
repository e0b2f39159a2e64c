#include "RomProperties.h"

#include "PropertiesCountry.h"
#include "RefusedCharacter.h"
#include "ui/Twips.h"
#include "frmProperties.h"
#include "inidb/ListText.h"
#include "ui/FileText.h"
#include "ui/ImagelistSmall.h"
#include "ui/TextStart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace {

// Room between the end of the country text and its flag.
constexpr int FlagGapTwips = 100;

void selectItem(QComboBox &list, const QString &text)
{
    int index = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        list.addItem(text);
        index = list.count() - 1;
    }
    list.setCurrentIndex(index);
}

// The inverted boxes are checked by design and only ever unchecked here.
void uncheckWhen(QCheckBox &box, bool flag)
{
    if (flag)
        box.setChecked(false);
}

void showCountry(const PropertiesControls &c, std::string_view crc)
{
    const std::string code = CountryCode(crc);
    c.lblCountry->setText(c.lblCountry->text() + QString::fromLatin1(PropertiesCountryText(code)));
    c.lblCountry->adjustSize();
    c.imgCountry->setPixmap(ImagelistSmall::picture(QString::fromLatin1(CountryTable(code).imageKey)));
    // The picture control takes the size of its picture.
    c.imgCountry->setGeometry(c.lblCountry->x() + c.lblCountry->width() + TwipsToPixels(FlagGapTwips),
                              c.imgCountry->y(), ImagelistSmall::PictureSize, ImagelistSmall::PictureSize);
}

// Up to this length a text box shows its whole text; a line edit lays its text out on
// every change, which takes seconds for a text of megabytes.
constexpr qsizetype EditableLength = 100000;

// A longer text is shown by its start, cannot be edited, and is kept as stored.
void showText(QLineEdit &box, const QString &text)
{
    if (text.size() <= EditableLength) {
        box.setText(text);
        return;
    }
    box.setText(ShownStart(text, EditableLength));
    box.setReadOnly(true);
    box.setToolTip(QStringLiteral("This text is %1 characters long, too long to be edited here; OK keeps it as it is.")
                       .arg(text.size()));
}

// The dialog's free texts and the fields they edit.
struct TextField {
    const char *caption;
    QString shown;
    StoredText RomEntry::*stored;
    // A box that shows only the start of its text.
    bool readOnly = false;
};

std::array<TextField, 3> textFields(const PropertiesControls &c)
{
    return {{{"Comment", c.cboComments->currentText(), &RomEntry::Comment},
             {"Info", c.txtInfo->text(), &RomEntry::Info, c.txtInfo->isReadOnly()},
             {"Name", c.txtRomName->text(), &RomEntry::Name, c.txtRomName->isReadOnly()}}};
}

bool isChanged(TextEncoding encoding, const TextField &text, const RomEntry &entry)
{
    return !text.readOnly && text.shown != fromFileText(encoding, entry.*text.stored);
}

std::int16_t readNumber(const QString &text, std::int16_t unreadable)
{
    bool ok = false;
    const short value = text.toShort(&ok);
    return ok ? value : unreadable;
}

} // namespace

void FillRomProperties(frmProperties &dialog, const RomEntry &entry)
{
    const PropertiesControls &c = dialog.controls();
    const TextEncoding encoding = dialog.encoding();
    selectItem(*c.cboComments, fromFileText(encoding, entry.Comment));
    c.txtOSHLE->setText(QString::number(entry.OSRescanCount));
    showText(*c.txtInfo, fromFileText(encoding, entry.Info));
    showText(*c.txtRomName, fromFileText(encoding, entry.Name));

    c.chkDynaRec->setChecked(entry.DisableDynarec);
    uncheckWhen(*c.chkEeprom, entry.DisableEeprom);
    c.chkExpansionPak->setChecked(entry.ExpansionPak);
    uncheckWhen(*c.chkOSHLE, entry.DisablePatches);
    c.chkSpeedSync->setChecked(entry.DisableSpeedSync);
    c.chkTexRectEdge->setChecked(entry.IncTexRectEdge);
    c.chkTextureCRC->setChecked(entry.DisableTextureCRC);

    selectItem(*c.cboEeprom, QString::number(entry.EepromSize));
    selectItem(*c.cboScaleFactor, QString::number(entry.ScaleFactor));
    selectItem(*c.cboUCode, QString::number(entry.UCode));

    showCountry(c, entry.CRC);
}

std::optional<QString> UnstorableText(const frmProperties &dialog, const RomEntry &entry)
{
    for (const TextField &text : textFields(dialog.controls())) {
        if (!isChanged(dialog.encoding(), text, entry))
            continue;
        if (const auto refused = RefusedCharacterText(QLatin1String(text.caption), text.shown, dialog.encoding()))
            return *refused + QStringLiteral("\nChange the text and press OK again.");
    }
    return std::nullopt;
}

void ApplyRomProperties(const frmProperties &dialog, RomEntry &entry)
{
    const PropertiesControls &c = dialog.controls();
    const QString rescan = c.txtOSHLE->text();
    entry.OSRescanCount = rescan.isEmpty() ? 0 : readNumber(rescan, entry.OSRescanCount);
    for (const TextField &text : textFields(c)) {
        if (!isChanged(dialog.encoding(), text, entry))
            continue;
        EncodedText encoded = toFileText(dialog.encoding(), text.shown);
        if (!encoded.refused)
            entry.*text.stored = dialog.texts().keep(encoded.bytes);
    }

    entry.DisableDynarec = c.chkDynaRec->isChecked();
    entry.DisableEeprom = !c.chkEeprom->isChecked();
    entry.ExpansionPak = c.chkExpansionPak->isChecked();
    entry.DisablePatches = !c.chkOSHLE->isChecked();
    entry.DisableSpeedSync = c.chkSpeedSync->isChecked();
    entry.IncTexRectEdge = c.chkTexRectEdge->isChecked();
    entry.DisableTextureCRC = c.chkTextureCRC->isChecked();

    entry.EepromSize = readNumber(c.cboEeprom->currentText(), entry.EepromSize);
    entry.ScaleFactor = readNumber(c.cboScaleFactor->currentText(), entry.ScaleFactor);
    entry.UCode = readNumber(c.cboUCode->currentText(), entry.UCode);
}
