#include "frmProperties.h"

#include "FieldBackground.h"
#include "RomProperties.h"
#include "ui/Twips.h"
#include "TypingLimit.h"
#include "ui/UserInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <limits>

namespace {

// The layout was drawn for Windows' small dialog font; Arial and its metric twins
// (Liberation Sans, Nimbus Sans) at 10 pixels fit it, the wider default font would not.
QFont designFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    font.setPixelSize(10);
    return font;
}

// Typing limits of the text boxes.
constexpr int TextTypingLimit = 150;
constexpr int RescanTypingLimit = 4;

template <typename Widget>
Widget *place(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QGroupBox *frame(QWidget *parent, const QString &name, const QString &title, const QRect &geometry)
{
    auto *box = place<QGroupBox>(parent, name, geometry);
    box->setTitle(title);
    return box;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
              Qt::Alignment horizontal = Qt::AlignLeft)
{
    auto *text = place<QLabel>(parent, name, geometry);
    text->setText(caption);
    text->setAlignment(horizontal | Qt::AlignTop);
    return text;
}

QLineEdit *textBox(QWidget *parent, const QString &name, const QRect &geometry, int typingLimit,
                   TypingLimit::Characters allowed)
{
    auto *edit = place<QLineEdit>(parent, name, geometry);
    // The box's own limit would cut a longer stored text; TypingLimit limits the typing.
    edit->setMaxLength(std::numeric_limits<int>::max());
    new TypingLimit(*edit, typingLimit, allowed);
    return edit;
}

QComboBox *dropDownList(QWidget *parent, const QString &name, const QStringList &items,
                        const QRect &geometry)
{
    auto *list = place<QComboBox>(parent, name, geometry);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                    bool checked = false)
{
    auto *box = place<QCheckBox>(parent, name, geometry);
    box->setText(caption);
    box->setChecked(checked);
    return box;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *push = place<QPushButton>(parent, name, geometry);
    push->setText(caption);
    // The dialog itself answers Enter and Esc (keyPressEvent).
    push->setAutoDefault(false);
    push->setDefault(false);
    return push;
}

} // namespace

frmProperties::frmProperties(RomEntry &entry, PrintFunction print, QWidget *parent, TextEncoding encoding,
                             UserInterface *ui, TextStore *texts)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_entry(entry), m_texts(texts ? *texts : m_ownTexts), m_print(std::move(print)), m_encoding(encoding), m_ui(ui)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Rom Properties"));
    setModal(true);
    setFixedSize(TwipsToPixels(8535), TwipsToPixels(5655));
    setFont(designFont());

    createRomInfo();
    createCompatibilityAndSpeed();
    createEeprom();
    createGraphics();
    createOSHLE();
    createButtons();
    chainTabOrder();

    connect(m_controls.chkEeprom, &QCheckBox::toggled, this, &frmProperties::chkEeprom_Click);
    connect(m_controls.chkOSHLE, &QCheckBox::toggled, this, &frmProperties::chkOSHLE_Click);
    connect(m_controls.cmdOK, &QPushButton::clicked, this, &frmProperties::cmdOK_Click);
    connect(m_controls.cmdCancel, &QPushButton::clicked, this, &frmProperties::cmdCancel_Click);
    connect(m_controls.cmdPrint, &QPushButton::clicked, this, &frmProperties::cmdPrint_Click);
    // Design state: both boxes checked, so their fields start editable.
    chkEeprom_Click();
    chkOSHLE_Click();
    m_controls.txtRomName->setFocus();
}

void frmProperties::createRomInfo()
{
    PropertiesControls &c = m_controls;
    c.fraRomInfo = frame(this, QStringLiteral("fraRomInfo"), QStringLiteral("Rom Info"),
                         TwipsRect(120, 120, 8295, 1575));
    QWidget *box = c.fraRomInfo;
    c.lblName = label(box, QStringLiteral("lblName"), QStringLiteral("Name"), TwipsRect(480, 360, 420, 195));
    c.txtRomName = textBox(box, QStringLiteral("txtRomName"), TwipsRect(1080, 360, 3375, 285),
                           TextTypingLimit, TypingLimit::Characters::SingleLine);
    c.lblCountry = label(box, QStringLiteral("lblCountry"), QStringLiteral("Country - "),
                         TwipsRect(4560, 360, 675, 195));
    c.imgCountry = place<QLabel>(box, QStringLiteral("imgCountry"), TwipsRect(6600, 360, 375, 255));
    c.Label1 = label(box, QStringLiteral("Label1"), QStringLiteral("Comment"), TwipsRect(240, 720, 660, 195));
    c.cboComments = dropDownList(box, QStringLiteral("cboComments"),
                                 {QString(), QStringLiteral("Playable"), QStringLiteral("Almost Playable"),
                                  QStringLiteral("Not Playable"), QStringLiteral("Doesn't Work")},
                                 TwipsRect(1080, 720, 6975, 315));
    c.Label2 = label(box, QStringLiteral("Label2"), QStringLiteral("Info"), TwipsRect(600, 1080, 270, 195));
    c.txtInfo = textBox(box, QStringLiteral("txtInfo"), TwipsRect(1080, 1080, 6975, 285), TextTypingLimit,
                        TypingLimit::Characters::SingleLine);
}

void frmProperties::createCompatibilityAndSpeed()
{
    PropertiesControls &c = m_controls;
    c.fraCompatibility = frame(this, QStringLiteral("fraCompatibility"), QStringLiteral("Compatibility"),
                               TwipsRect(120, 1800, 2895, 1455));
    c.chkDynaRec = checkBox(c.fraCompatibility, QStringLiteral("chkDynaRec"),
                            QStringLiteral("Disable Dynamic Recompilation"), TwipsRect(240, 360, 2535, 375));
    c.chkExpansionPak = checkBox(c.fraCompatibility, QStringLiteral("chkExpansionPak"),
                                 QStringLiteral("Expansion Pak"), TwipsRect(240, 840, 1455, 375));

    c.fraSpeed = frame(this, QStringLiteral("fraSpeed"), QStringLiteral("Speed"), TwipsRect(3120, 1800, 2295, 1455));
    c.chkSpeedSync = checkBox(c.fraSpeed, QStringLiteral("chkSpeedSync"), QStringLiteral("Disable Speed Sync"),
                              TwipsRect(240, 240, 1815, 495));
    c.chkTextureCRC = checkBox(c.fraSpeed, QStringLiteral("chkTextureCRC"), QStringLiteral("Disable Texture CRC"),
                               TwipsRect(240, 720, 1815, 495));
}

void frmProperties::createEeprom()
{
    PropertiesControls &c = m_controls;
    // The check box stands where a title would, so the frame has none.
    c.fraEeprom = frame(this, QStringLiteral("fraEeprom"), QString(), TwipsRect(5520, 1800, 2895, 1455));
    c.chkEeprom = checkBox(c.fraEeprom, QStringLiteral("chkEeprom"), QStringLiteral("Eeprom"),
                           TwipsRect(120, 0, 855, 255), true);
    c.chkEeprom->setAutoFillBackground(true);
    c.lblSize = label(c.fraEeprom, QStringLiteral("lblSize"), QStringLiteral("Size"), TwipsRect(360, 480, 300, 195));
    c.cboEeprom = dropDownList(c.fraEeprom, QStringLiteral("cboEeprom"),
                               {QStringLiteral("2048"), QStringLiteral("4096"), QStringLiteral("6144"),
                                QStringLiteral("8192")},
                               TwipsRect(840, 480, 1695, 315));
    c.Label4 = label(c.fraEeprom, QStringLiteral("Label4"), QStringLiteral("(Default = 2048)"),
                     TwipsRect(1080, 960, 1140, 195));
}

void frmProperties::createGraphics()
{
    PropertiesControls &c = m_controls;
    c.fraGraphics = frame(this, QStringLiteral("fraGraphics"), QStringLiteral("Graphics"),
                          TwipsRect(120, 3360, 4335, 1695));
    QWidget *box = c.fraGraphics;
    c.lblUCode = label(box, QStringLiteral("lblUCode"), QStringLiteral("UCode"), TwipsRect(240, 480, 855, 195),
                       Qt::AlignRight);
    c.cboUCode = dropDownList(box, QStringLiteral("cboUCode"),
                              {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("5"),
                               QStringLiteral("6")},
                              TwipsRect(1320, 360, 1335, 315));
    c.Label6 = label(box, QStringLiteral("Label6"), QStringLiteral("(Default = 5)"), TwipsRect(2760, 360, 870, 195));
    c.lblScaleFactor = label(box, QStringLiteral("lblScaleFactor"), QStringLiteral("Scale Factor"),
                             TwipsRect(240, 840, 900, 195), Qt::AlignRight);
    c.cboScaleFactor = dropDownList(box, QStringLiteral("cboScaleFactor"), {QStringLiteral("1"), QStringLiteral("8")},
                                    TwipsRect(1320, 840, 1335, 315));
    c.Label3 = label(box, QStringLiteral("Label3"), QStringLiteral("(Default = 1)"), TwipsRect(2760, 840, 870, 195));
    c.chkTexRectEdge = checkBox(box, QStringLiteral("chkTexRectEdge"), QStringLiteral("Increase TexRect Edge"),
                                TwipsRect(240, 1200, 2175, 255));
}

void frmProperties::createOSHLE()
{
    PropertiesControls &c = m_controls;
    c.fraOSHLE = frame(this, QStringLiteral("fraOSHLE"), QString(), TwipsRect(4560, 3360, 3855, 1695));
    QWidget *box = c.fraOSHLE;
    c.chkOSHLE = checkBox(box, QStringLiteral("chkOSHLE"), QStringLiteral("OS HLE"), TwipsRect(120, 0, 975, 255), true);
    c.chkOSHLE->setAutoFillBackground(true);
    c.lblRescanAfter = label(box, QStringLiteral("lblRescanAfter"), QStringLiteral("Rescan After"),
                             TwipsRect(240, 600, 930, 195));
    c.txtOSHLE = textBox(box, QStringLiteral("txtOSHLE"), TwipsRect(1320, 600, 975, 285), RescanTypingLimit,
                         TypingLimit::Characters::DigitsOnly);
    c.lblDMATransfers = label(box, QStringLiteral("lblDMATransfers"), QStringLiteral("DMA Transfers"),
                              TwipsRect(2400, 600, 1065, 195));
    c.Label5 = label(box, QStringLiteral("Label5"), QStringLiteral("(Default = 0)"), TwipsRect(1365, 1080, 885, 195),
                     Qt::AlignHCenter);
}

void frmProperties::createButtons()
{
    PropertiesControls &c = m_controls;
    c.cmdOK = button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), TwipsRect(6000, 5160, 1095, 375));
    c.cmdCancel = button(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), TwipsRect(7200, 5160, 1095, 375));
    c.cmdPrint = button(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), TwipsRect(240, 5160, 1095, 375));
}

void frmProperties::chainTabOrder()
{
    const PropertiesControls &c = m_controls;
    // The designed focus order; the comment list comes last.
    QWidget *const order[] = {c.txtRomName, c.txtInfo, c.chkDynaRec, c.chkExpansionPak, c.chkSpeedSync,
                                    c.chkTextureCRC, c.chkEeprom, c.cboEeprom, c.cboUCode, c.cboScaleFactor,
                                    c.chkTexRectEdge, c.chkOSHLE, c.txtOSHLE, c.cmdOK, c.cmdCancel,
                                    c.cmdPrint, c.cboComments};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmProperties::chkEeprom_Click()
{
    const bool enabled = m_controls.chkEeprom->isChecked();
    SetFieldEditable(*m_controls.cboEeprom, enabled);
    m_controls.lblSize->setEnabled(enabled);
}

void frmProperties::chkOSHLE_Click()
{
    SetFieldEditable(*m_controls.txtOSHLE, m_controls.chkOSHLE->isChecked());
}

void frmProperties::cmdOK_Click()
{
    // A character the file cannot hold is not replaced behind the user's back: the
    // dialog stays open so the text can be changed.
    if (const std::optional<QString> refusal = UnstorableText(*this, m_entry)) {
        if (m_ui)
            m_ui->showError(this, QStringLiteral("Error"), *refusal);
        return;
    }
    ApplyRomProperties(*this, m_entry);
    accept();
}

void frmProperties::cmdCancel_Click()
{
    reject();
}

void frmProperties::cmdPrint_Click()
{
    if (m_print)
        m_print(*this);
}

void frmProperties::keyPressEvent(QKeyEvent *event)
{
    // Esc cancels; Enter presses the focused button, or else OK.
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        else
            cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmProperties::showEvent(QShowEvent *event)
{
    // move() places the window frame, so centre the frame, not the client area.
    if (const QScreen *shownOn = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shownOn->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
