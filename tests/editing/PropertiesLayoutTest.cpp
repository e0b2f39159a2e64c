// The dialog as it is built, before any filling: every control in its place.
#include "PropertiesTestEntries.h"

#include "ui/Twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

struct Placement {
    const char *name;
    const char *parent;
    const char *caption; // nullptr for controls without one
    int left, top, width, height;
};

QString captionOf(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&control))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(&control))
        return frame->title();
    return {};
}

class PropertiesLayout : public ::testing::TestWithParam<Placement> {};

TEST_P(PropertiesLayout, ControlSitsInItsFrameAtItsPlace)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    const Placement &p = GetParam();
    const auto *control = Find<QWidget>(dialog, p.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(p.parent));
    EXPECT_EQ(control->geometry(), TwipsRect(p.left, p.top, p.width, p.height));
    if (p.caption) {
        EXPECT_EQ(captionOf(*control), QString::fromLatin1(p.caption));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryControl, PropertiesLayout,
    ::testing::Values(
        Placement{"fraRomInfo", "frmProperties", "Rom Info", 120, 120, 8295, 1575},
        Placement{"lblName", "fraRomInfo", "Name", 480, 360, 420, 195},
        Placement{"txtRomName", "fraRomInfo", nullptr, 1080, 360, 3375, 285},
        Placement{"lblCountry", "fraRomInfo", "Country - ", 4560, 360, 675, 195},
        Placement{"imgCountry", "fraRomInfo", nullptr, 6600, 360, 375, 255},
        Placement{"Label1", "fraRomInfo", "Comment", 240, 720, 660, 195},
        Placement{"cboComments", "fraRomInfo", nullptr, 1080, 720, 6975, 315},
        Placement{"Label2", "fraRomInfo", "Info", 600, 1080, 270, 195},
        Placement{"txtInfo", "fraRomInfo", nullptr, 1080, 1080, 6975, 285},
        Placement{"fraCompatibility", "frmProperties", "Compatibility", 120, 1800, 2895, 1455},
        Placement{"chkDynaRec", "fraCompatibility", "Disable Dynamic Recompilation", 240, 360, 2535, 375},
        Placement{"chkExpansionPak", "fraCompatibility", "Expansion Pak", 240, 840, 1455, 375},
        Placement{"fraSpeed", "frmProperties", "Speed", 3120, 1800, 2295, 1455},
        Placement{"chkSpeedSync", "fraSpeed", "Disable Speed Sync", 240, 240, 1815, 495},
        Placement{"chkTextureCRC", "fraSpeed", "Disable Texture CRC", 240, 720, 1815, 495},
        Placement{"fraEeprom", "frmProperties", "", 5520, 1800, 2895, 1455},
        Placement{"chkEeprom", "fraEeprom", "Eeprom", 120, 0, 855, 255},
        Placement{"lblSize", "fraEeprom", "Size", 360, 480, 300, 195},
        Placement{"cboEeprom", "fraEeprom", nullptr, 840, 480, 1695, 315},
        Placement{"Label4", "fraEeprom", "(Default = 2048)", 1080, 960, 1140, 195},
        Placement{"fraGraphics", "frmProperties", "Graphics", 120, 3360, 4335, 1695},
        Placement{"lblUCode", "fraGraphics", "UCode", 240, 480, 855, 195},
        Placement{"cboUCode", "fraGraphics", nullptr, 1320, 360, 1335, 315},
        Placement{"Label6", "fraGraphics", "(Default = 5)", 2760, 360, 870, 195},
        Placement{"lblScaleFactor", "fraGraphics", "Scale Factor", 240, 840, 900, 195},
        Placement{"cboScaleFactor", "fraGraphics", nullptr, 1320, 840, 1335, 315},
        Placement{"Label3", "fraGraphics", "(Default = 1)", 2760, 840, 870, 195},
        Placement{"chkTexRectEdge", "fraGraphics", "Increase TexRect Edge", 240, 1200, 2175, 255},
        Placement{"fraOSHLE", "frmProperties", "", 4560, 3360, 3855, 1695},
        Placement{"chkOSHLE", "fraOSHLE", "OS HLE", 120, 0, 975, 255},
        Placement{"lblRescanAfter", "fraOSHLE", "Rescan After", 240, 600, 930, 195},
        Placement{"txtOSHLE", "fraOSHLE", nullptr, 1320, 600, 975, 285},
        Placement{"lblDMATransfers", "fraOSHLE", "DMA Transfers", 2400, 600, 1065, 195},
        Placement{"Label5", "fraOSHLE", "(Default = 0)", 1365, 1080, 885, 195},
        Placement{"cmdOK", "frmProperties", "OK", 6000, 5160, 1095, 375},
        Placement{"cmdCancel", "frmProperties", "Cancel", 7200, 5160, 1095, 375},
        Placement{"cmdPrint", "frmProperties", "Print", 240, 5160, 1095, 375}),
    [](const ::testing::TestParamInfo<Placement> &info) { return std::string(info.param.name); });

TEST(PropertiesDialog, IsAFixedSizeModalDialogWithoutMinimiseOrMaximise)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Rom Properties"));
    EXPECT_EQ(dialog.minimumSize(), QSize(569, 377));
    EXPECT_EQ(dialog.maximumSize(), QSize(569, 377));
    EXPECT_TRUE(dialog.isModal());
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(PropertiesDialog, ListsOfferTheirItemsWithNothingSelected)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    const std::pair<const char *, QStringList> lists[] = {
        {"cboComments", {QString(), QStringLiteral("Playable"), QStringLiteral("Almost Playable"),
                         QStringLiteral("Not Playable"), QStringLiteral("Doesn't Work")}},
        {"cboEeprom", {QStringLiteral("2048"), QStringLiteral("4096"), QStringLiteral("6144"), QStringLiteral("8192")}},
        {"cboUCode", {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("5"),
                      QStringLiteral("6")}},
        {"cboScaleFactor", {QStringLiteral("1"), QStringLiteral("8")}},
    };
    for (const auto &[name, items] : lists) {
        const auto *list = Find<QComboBox>(dialog, name);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        EXPECT_EQ(shown, items) << name;
        EXPECT_EQ(list->currentIndex(), -1) << name;
        EXPECT_FALSE(list->isEditable()) << name;
    }
}

TEST(PropertiesDialog, DesignStateHasBothInvertedBoxesCheckedAndTheirFieldsEditable)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    const PropertiesControls &c = dialog.controls();
    EXPECT_TRUE(c.chkEeprom->isChecked());
    EXPECT_TRUE(c.chkOSHLE->isChecked());
    for (const QCheckBox *box : {c.chkDynaRec, c.chkExpansionPak, c.chkSpeedSync, c.chkTextureCRC, c.chkTexRectEdge})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_TRUE(c.cboEeprom->isEnabled());
    EXPECT_TRUE(c.lblSize->isEnabled());
    EXPECT_TRUE(c.txtOSHLE->isEnabled());
    EXPECT_EQ(c.txtOSHLE->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(c.txtRomName->text().isEmpty());
    EXPECT_TRUE(c.imgCountry->pixmap().isNull());
}

TEST(PropertiesDialog, FocusMovesInTheDesignedOrder)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    const QStringList expected = {
        QStringLiteral("txtRomName"), QStringLiteral("txtInfo"), QStringLiteral("chkDynaRec"),
        QStringLiteral("chkExpansionPak"), QStringLiteral("chkSpeedSync"), QStringLiteral("chkTextureCRC"),
        QStringLiteral("chkEeprom"), QStringLiteral("cboEeprom"), QStringLiteral("cboUCode"),
        QStringLiteral("cboScaleFactor"), QStringLiteral("chkTexRectEdge"), QStringLiteral("chkOSHLE"),
        QStringLiteral("txtOSHLE"), QStringLiteral("cmdOK"), QStringLiteral("cmdCancel"), QStringLiteral("cmdPrint"),
        QStringLiteral("cboComments")};
    QStringList order;
    QWidget *widget = dialog.controls().txtRomName;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != dialog.controls().txtRomName);
    EXPECT_EQ(order, expected);
}

// The width a caption can use: a check box loses the room of its box.
int roomForCaption(const QWidget &control)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
    }
    return control.width();
}

TEST(PropertiesDialog, EveryCaptionFitsItsControl)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    for (const QWidget *control : dialog.findChildren<QWidget *>()) {
        const QString caption = captionOf(*control);
        if (caption.isEmpty() || qobject_cast<const QGroupBox *>(control))
            continue;
        EXPECT_LE(control->fontMetrics().horizontalAdvance(caption), roomForCaption(*control))
            << control->objectName().toStdString();
    }
}

TEST(PropertiesDialog, NoButtonIsBoundToEnter)
{
    RomEntry entry;
    frmProperties dialog(entry, {});
    for (const char *name : {"cmdOK", "cmdCancel", "cmdPrint"}) {
        const auto *push = Find<QPushButton>(dialog, name);
        EXPECT_FALSE(push->autoDefault()) << name;
        EXPECT_FALSE(push->isDefault()) << name;
    }
}

} // namespace
