#include "FieldBackground.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void SetFieldEditable(QWidget &field, bool editable)
{
    field.setEnabled(editable);
    const QColor background = editable ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, background);
    // A drop-down list paints its closed field with the button role.
    palette.setColor(QPalette::Button, background);
    field.setPalette(palette);
}
