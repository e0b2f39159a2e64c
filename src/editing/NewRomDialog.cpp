#include "NewRomDialog.h"

#include "TypingLimit.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

// As much as the properties dialog lets the user type into a name.
constexpr int NameTypingLimit = 150;

QLineEdit *textBox(QWidget *parent, const QString &name, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(std::numeric_limits<int>::max());
    // Room for a whole CRC such as "DDDDDDDD-DDDDDDDD-C:DD".
    edit->setMinimumWidth(QFontMetrics(edit->font()).horizontalAdvance(QStringLiteral("DDDDDDDD-DDDDDDDD-C:DD")) * 3 / 2);
    return edit;
}

} // namespace

NewRomDialog::NewRomDialog(const QString &caption, const QString &crc, const QString &name, Check check,
                           QWidget *parent)
    : QDialog(parent), m_check(std::move(check))
{
    setObjectName(QStringLiteral("frmNewRom"));
    setWindowTitle(caption);
    setModal(true);
    // The CRC box takes what is pasted as it is: a line break in it is refused by name
    // rather than turned into a blank that would end up in the identifier.
    m_txtCRC = textBox(this, QStringLiteral("txtCRC"), crc);
    m_txtRomName = textBox(this, QStringLiteral("txtRomName"), name);
    new TypingLimit(*m_txtRomName, NameTypingLimit, TypingLimit::Characters::SingleLine);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NewRomDialog::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("&CRC"), m_txtCRC);
    form->addRow(QStringLiteral("&Name"), m_txtRomName);
    form->addRow(buttons);
    m_txtCRC->setFocus();
    m_txtCRC->selectAll();
}

void NewRomDialog::cmdOK_Click()
{
    if (m_check(m_txtCRC->text(), m_txtRomName->text()))
        accept();
}
