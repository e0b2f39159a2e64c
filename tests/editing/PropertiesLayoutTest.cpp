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

class PropertiesLayout : public ::testing::Test {
protected:
    RomEntry m_entry;
    frmProperties m_dialog{m_entry, {}};
};

TEST_F(PropertiesLayout, FixedSizeDialogWithRepresentativeControlsInTheirFrames)
{
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Rom Properties"));
    EXPECT_EQ(m_dialog.minimumSize(), QSize(569, 377));
    EXPECT_EQ(m_dialog.maximumSize(), QSize(569, 377));
    EXPECT_FALSE(m_dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const struct {
        const char *name, *parent;
        int left, top, width, height;
    } placements[] = {
        {"txtRomName", "fraRomInfo", 1080, 360, 3375, 285}, {"chkEeprom", "fraEeprom", 120, 0, 855, 255},
        {"cboUCode", "fraGraphics", 1320, 360, 1335, 315},  {"txtOSHLE", "fraOSHLE", 1320, 600, 975, 285},
        {"cmdOK", "frmProperties", 6000, 5160, 1095, 375},  {"cmdPrint", "frmProperties", 240, 5160, 1095, 375},
    };
    for (const auto &p : placements) {
        const auto *control = Find<QWidget>(m_dialog, p.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(p.parent)) << p.name;
        EXPECT_EQ(control->geometry(), TwipsRect(p.left, p.top, p.width, p.height)) << p.name;
    }
}

TEST_F(PropertiesLayout, FocusMovesInTheDesignedOrder)
{
    QStringList order;
    QWidget *widget = m_dialog.controls().txtRomName;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != m_dialog.controls().txtRomName);
    EXPECT_EQ(order.join(QLatin1Char(' ')),
              QStringLiteral("txtRomName txtInfo chkDynaRec chkExpansionPak chkSpeedSync chkTextureCRC chkEeprom "
                             "cboEeprom cboUCode cboScaleFactor chkTexRectEdge chkOSHLE txtOSHLE cmdOK cmdCancel "
                             "cmdPrint cboComments"));
}

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

TEST_F(PropertiesLayout, EveryCaptionFitsItsControl)
{
    int captions = 0;
    for (const QWidget *control : m_dialog.findChildren<QWidget *>()) {
        const auto [caption, room] = captionAndRoom(*control);
        if (caption.isEmpty())
            continue;
        ++captions;
        EXPECT_LE(control->fontMetrics().horizontalAdvance(caption), room) << control->objectName().toStdString();
    }
    EXPECT_EQ(captions, 23);
}

} // namespace
