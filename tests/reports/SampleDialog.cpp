#include "SampleDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SampleDialog::SampleDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Rom Properties"));
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name:"), new QLineEdit(QStringLiteral("Wave Racer 64"), this));
    form->addRow(QStringLiteral("Country:"), new QLabel(QStringLiteral("E (USA)"), this));
    form->addRow(QStringLiteral("Comment:"), new QLineEdit(QStringLiteral("Almost Playable"), this));
    auto *dynarec = new QCheckBox(QStringLiteral("Disable Dynarec"), this);
    dynarec->setChecked(true);
    form->addRow(dynarec);
    form->addRow(new QCheckBox(QStringLiteral("Expansion Pak"), this));
    form->addRow(new QPushButton(QStringLiteral("Print"), this));
    resize(400, 300);
}
