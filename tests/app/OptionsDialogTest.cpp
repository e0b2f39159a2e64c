#include "AppHarness.h"
#include "ModalDriver.h"
#include "settings/OptionsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Options : public ::testing::Test {
protected:
    template <typename T>
    T *control(QDialog &dialog, const char *name)
    {
        return dialog.findChild<T *>(QLatin1String(name));
    }

    AppHarness h;
};

} // namespace

TEST_F(Options, LoadingShowsTheStoredChoicesAndSetsTheGlobals)
{
    h.setSetting("AutoOpen", "0");
    h.setSetting("SaveType", "1");
    OptionsDialog dialog(h.store, h.doc);
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkAutoLoad")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, "optSaveType1")->isChecked());
    EXPECT_TRUE(control<QPushButton>(dialog, "cmdApply")->isEnabled());
    EXPECT_EQ(h.doc.AutoOpen, 0);
    EXPECT_EQ(h.doc.SaveType, 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
    EXPECT_FALSE(control<QPushButton>(dialog, "cmdOK")->autoDefault());
}

TEST_F(Options, ApplyStoresAndWaitsForTheNextClickCancelKeepsWhatWasApplied)
{
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

TEST_F(Options, OkStoresEvenWhenNothingChangedAndTheMenuShowsItModally)
{
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

TEST_F(Options, LayoutFollowsTheDesignAndEveryCaptionFits)
{
    OptionsDialog dialog(h.store, h.doc);
    auto *frame1 = control<QGroupBox>(dialog, "Frame1");
    auto *frame2 = control<QGroupBox>(dialog, "Frame2");
    EXPECT_EQ(frame1->geometry().top(), 8);
    EXPECT_EQ(frame2->geometry().top(), 72);
    EXPECT_EQ(dialog.height(), 313);
    EXPECT_GE(dialog.width(), 516);
    for (const char *name : {"chkAutoLoad", "optSaveType0", "optSaveType1", "cmdOK", "cmdCancel", "cmdApply"}) {
        auto *widget = dialog.findChild<QWidget *>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_GE(widget->width(), widget->sizeHint().width()) << name;
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name;
    }
    const QRect ok = control<QPushButton>(dialog, "cmdOK")->geometry();
    const QRect cancel = control<QPushButton>(dialog, "cmdCancel")->geometry();
    const QRect apply = control<QPushButton>(dialog, "cmdApply")->geometry();
    EXPECT_LT(ok.right(), cancel.left());
    EXPECT_LT(cancel.right(), apply.left());
}
