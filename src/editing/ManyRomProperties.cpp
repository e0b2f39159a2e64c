#include "ManyRomProperties.h"

#include "RomProperties.h"
#include "frmProperties.h"
#include "inidb/IniDocument.h"
#include "inidb/ListText.h"
#include "ui/FileText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

const QString SeveralValues = QStringLiteral("(several values)");
const QString SeveralValuesTip = QStringLiteral("The selected ROMs differ here; left as it is, each keeps its own value.");

struct FlagControl {
    QCheckBox *PropertiesControls::*box;
    bool RomEntry::*flag;
    std::optional<bool> EntryChanges::*change;
    // Checked when the flag is not set.
    bool inverted = false;
};

const std::array<FlagControl, 7> Flags{{
    {&PropertiesControls::chkDynaRec, &RomEntry::DisableDynarec, &EntryChanges::DisableDynarec},
    {&PropertiesControls::chkEeprom, &RomEntry::DisableEeprom, &EntryChanges::DisableEeprom, true},
    {&PropertiesControls::chkExpansionPak, &RomEntry::ExpansionPak, &EntryChanges::ExpansionPak},
    {&PropertiesControls::chkOSHLE, &RomEntry::DisablePatches, &EntryChanges::DisablePatches, true},
    {&PropertiesControls::chkSpeedSync, &RomEntry::DisableSpeedSync, &EntryChanges::DisableSpeedSync},
    {&PropertiesControls::chkTexRectEdge, &RomEntry::IncTexRectEdge, &EntryChanges::IncTexRectEdge},
    {&PropertiesControls::chkTextureCRC, &RomEntry::DisableTextureCRC, &EntryChanges::DisableTextureCRC},
}};

struct NumberControl {
    QComboBox *PropertiesControls::*list;
    std::int16_t RomEntry::*number;
    std::optional<std::int16_t> EntryChanges::*change;
    // The label to the list's right, if any, which moves over when the list grows.
    QLabel *PropertiesControls::*beside = nullptr;
};

const std::array<NumberControl, 3> Numbers{{
    {&PropertiesControls::cboEeprom, &RomEntry::EepromSize, &EntryChanges::EepromSize},
    {&PropertiesControls::cboScaleFactor, &RomEntry::ScaleFactor, &EntryChanges::ScaleFactor,
     &PropertiesControls::Label3},
    {&PropertiesControls::cboUCode, &RomEntry::UCode, &EntryChanges::UCode, &PropertiesControls::Label6},
}};

// Whether the entries hold more than one value of the field.
template <typename Value>
bool differ(const IniDocument &doc, const std::vector<std::size_t> &entries, Value RomEntry::*field)
{
    const Value &first = doc.EntryTable[entries.front()].*field;
    return std::any_of(entries.begin() + 1, entries.end(),
                       [&](std::size_t entry) { return !(doc.EntryTable[entry].*field == first); });
}

bool countriesDiffer(const IniDocument &doc, const std::vector<std::size_t> &entries)
{
    const std::string first = CountryCode(doc.EntryTable[entries.front()].CRC);
    return std::any_of(entries.begin() + 1, entries.end(),
                       [&](std::size_t entry) { return CountryCode(doc.EntryTable[entry].CRC) != first; });
}

void showDiffering(QLineEdit &box)
{
    box.setText(QString());
    // The first ROM's text may have been too long to edit; this box is not that text.
    box.setReadOnly(false);
    box.setToolTip(SeveralValuesTip);
    box.setPlaceholderText(SeveralValues);
}

void showDiffering(QComboBox &list)
{
    list.insertItem(0, SeveralValues);
    list.setCurrentIndex(0);
    list.setToolTip(SeveralValuesTip);
}

// The narrow lists and the rescan box were drawn for a number and cut "(several values)"
// short: the field grows into the room its label leaves in the frame, the label moving along.
void widenBeside(QWidget &field, int needed, QLabel &label)
{
    constexpr int FrameMargin = 6;
    const int spare = label.parentWidget()->width() - FrameMargin - label.x() - label.sizeHint().width();
    const int wider = std::min(needed - field.width(), spare);
    if (wider <= 0)
        return;
    field.resize(field.width() + wider, field.height());
    label.move(label.x() + wider, label.y());
}

// A box over differing values that is empty again shows "(several values)" again, so
// it leaves them as they are: text typed and erased there must not empty every ROM.
bool edited(const QLineEdit &box, const QString &filled, bool differing)
{
    return differing ? !box.text().isEmpty() : box.text() != filled;
}

std::optional<std::int16_t> number(const QString &text)
{
    bool ok = false;
    const short value = text.toShort(&ok);
    return ok ? std::optional<std::int16_t>(value) : std::nullopt;
}

} // namespace

ManyRomProperties::ManyRomProperties(frmProperties &dialog, const IniDocument &doc,
                                     const std::vector<std::size_t> &entries)
    : m_dialog(dialog)
{
    const PropertiesControls &c = dialog.controls();
    dialog.setWindowTitle(QStringLiteral("%1 (%2 ROMs)").arg(dialog.windowTitle()).arg(entries.size()));
    FillRomProperties(dialog, doc.EntryTable[entries.front()]);

    for (std::size_t k = 0; k < Flags.size(); ++k) {
        QCheckBox &box = *(c.*Flags[k].box);
        if (differ(doc, entries, Flags[k].flag)) {
            box.setTristate(true);
            box.setCheckState(Qt::PartiallyChecked);
        }
        m_flagStates[k] = box.checkState();
    }
    for (std::size_t k = 0; k < Numbers.size(); ++k) {
        QComboBox &list = *(c.*Numbers[k].list);
        if (differ(doc, entries, Numbers[k].number)) {
            showDiffering(list);
            if (Numbers[k].beside)
                widenBeside(list, list.sizeHint().width(), *(c.*Numbers[k].beside));
        }
        m_numberItems[k] = list.currentIndex();
    }
    if (differ(doc, entries, &RomEntry::Comment))
        showDiffering(*c.cboComments);
    m_commentItem = c.cboComments->currentIndex();
    m_infoDiffers = differ(doc, entries, &RomEntry::Info);
    if (m_infoDiffers)
        showDiffering(*c.txtInfo);
    m_info = c.txtInfo->text();
    m_rescanDiffers = differ(doc, entries, &RomEntry::OSRescanCount);
    if (m_rescanDiffers) {
        showDiffering(*c.txtOSHLE);
        // The box's frame and text margins on either side.
        constexpr int Margins = 12;
        widenBeside(*c.txtOSHLE, c.txtOSHLE->fontMetrics().horizontalAdvance(SeveralValues) + Margins,
                    *c.lblDMATransfers);
    }
    m_rescan = c.txtOSHLE->text();

    // Each ROM keeps its own name and CRC.
    if (differ(doc, entries, &RomEntry::Name))
        showDiffering(*c.txtRomName);
    c.txtRomName->setEnabled(false);
    if (countriesDiffer(doc, entries)) {
        c.lblCountry->setText(QStringLiteral("Country - ") + SeveralValues);
        c.lblCountry->adjustSize();
        c.imgCountry->clear();
    }
    c.cmdPrint->setEnabled(false);
    c.cmdPrint->setToolTip(QStringLiteral("Print shows the properties of one ROM: select only that one."));
    c.txtInfo->setFocus();
}

EntryChanges ManyRomProperties::changes() const
{
    const PropertiesControls &c = m_dialog.controls();
    const TextEncoding encoding = m_dialog.encoding();
    EntryChanges changes;
    const auto keep = [&](const QString &text) -> std::optional<StoredText> {
        const EncodedText encoded = toFileText(encoding, text);
        if (encoded.refused)
            return std::nullopt;
        return changes.texts.keep(encoded.bytes);
    };
    for (std::size_t k = 0; k < Flags.size(); ++k) {
        const Qt::CheckState state = (c.*Flags[k].box)->checkState();
        if (state != m_flagStates[k])
            changes.*Flags[k].change = (state == Qt::Checked) != Flags[k].inverted;
    }
    for (std::size_t k = 0; k < Numbers.size(); ++k) {
        const QComboBox &list = *(c.*Numbers[k].list);
        if (list.currentIndex() != m_numberItems[k])
            changes.*Numbers[k].change = number(list.currentText());
    }
    if (c.cboComments->currentIndex() != m_commentItem)
        changes.Comment = keep(c.cboComments->currentText());
    if (edited(*c.txtInfo, m_info, m_infoDiffers))
        changes.Info = keep(c.txtInfo->text());
    // An emptied count stores 0, as for one ROM.
    if (edited(*c.txtOSHLE, m_rescan, m_rescanDiffers))
        changes.OSRescanCount = c.txtOSHLE->text().isEmpty() ? std::optional<std::int16_t>(0) : number(c.txtOSHLE->text());
    return changes;
}
