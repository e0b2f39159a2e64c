#include "AppHarness.h"
#include "ModalDriver.h"
#include "settings/OptionsDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T>
T *control(QDialog &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

} // namespace

TEST(Options, LoadingShowsTheStoredChoicesAndSetsTheGlobalsAndEveryCaptionFits)
{
    AppHarness h;
    h.setSetting("AutoOpen", "0");
    h.setSetting("SaveType", "1");
    OptionsDialog dialog(h.store, h.doc);
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkAutoLoad")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, "optSaveType1")->isChecked());
    EXPECT_TRUE(control<QPushButton>(dialog, "cmdApply")->isEnabled());
    EXPECT_EQ(h.doc.AutoOpen, 0);
    EXPECT_EQ(h.doc.SaveType, 1);
    for (const char *name : {"chkAutoLoad", "optSaveType0", "optSaveType1", "cmdOK", "cmdCancel", "cmdApply"}) {
        auto *widget = control<QWidget>(dialog, name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_GE(widget->width(), widget->sizeHint().width()) << name;
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name;
    }
}

TEST(Options, ApplyStoresAndWaitsForTheNextClickCancelKeepsWhatWasApplied)
{
    AppHarness h;
    OptionsDialog dialog(h.store, h.doc);
    dialog.show();
    auto *apply = control<QPushButton>(dialog, "cmdApply");
    QTest::mouseClick(control<QRadioButton>(dialog, "optSaveType1"), Qt::LeftButton);
    QTest::mouseClick(control<QCheckBox>(dialog, "chkAutoLoad"), Qt::LeftButton);
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(h.setting("SaveType"), "1");
    EXPECT_EQ(h.setting("AutoOpen"), "0");
    EXPECT_EQ(h.doc.SaveType, 1);
    // A click that changes nothing still makes Apply available again.
    QTest::mouseClick(control<QRadioButton>(dialog, "optSaveType1"), Qt::LeftButton);
    EXPECT_TRUE(apply->isEnabled());
    QTest::mouseClick(control<QRadioButton>(dialog, "optSaveType0"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(h.setting("SaveType"), "1");
}

TEST(Options, OkStoresEvenWhenNothingChangedAndTheMenuShowsItModally)
{
    AppHarness h;
    h.setSetting("AutoOpen", "");
    bool shown = false;
    whenModal<QDialog>([&](QDialog *dialog) {
        shown = true;
        EXPECT_EQ(dialog->objectName(), QStringLiteral("frmOptions"));
        control<QPushButton>(*dialog, "cmdOK")->click();
    });
    MainWindow window(h.doc, h.ui, h.store);
    window.findChild<QAction *>(QStringLiteral("mnuOptions"))->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(h.setting("AutoOpen"), "1");
    EXPECT_EQ(h.setting("SaveType"), "0");
}
