// The dialog as it is built: what a user sees before any filling.
#include "PropertiesTestEntries.h"

#include "ui/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The caption of a label or button and the width it may use: a check box loses its box.
std::pair<QString, int> captionAndRoom(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return {label->text(), label->width()};
    if (const auto *box = qobject_cast<const QCheckBox *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return {box->text(), box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width()};
    }
    if (const auto *button = qobject_cast<const QPushButton *>(&control))
        return {button->text(), button->width()};
    return {};
}

// A fixed-size dialog; one representative placement and the start of the focus chain; every
// caption fits its control.
TEST(PropertiesLayout, FixedSizeEveryCaptionFitsAndFocusStartsAtTheName)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    EXPECT_EQ(dialog.minimumSize(), QSize(569, 377));
    EXPECT_EQ(dialog.maximumSize(), QSize(569, 377));
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Find<QWidget>(dialog, "txtOSHLE")->geometry(), TwipsRect(1320, 600, 975, 285));
    EXPECT_EQ(Find<QWidget>(dialog, "txtOSHLE")->parentWidget()->objectName(), QStringLiteral("fraOSHLE"));

    QStringList order;
    for (QWidget *widget = dialog.controls().txtRomName; order.size() < 3; widget = widget->nextInFocusChain())
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("txtRomName txtInfo chkDynaRec"));

    int captions = 0;
    for (const QWidget *control : dialog.findChildren<QWidget *>()) {
        const auto [caption, room] = captionAndRoom(*control);
        if (caption.isEmpty())
            continue;
        ++captions;
        EXPECT_LE(control->fontMetrics().horizontalAdvance(caption), room) << control->objectName().toStdString();
    }
    EXPECT_EQ(captions, 23);
}

} // namespace
