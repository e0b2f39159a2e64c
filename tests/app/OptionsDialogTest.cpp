#include "AppHarness.h"
#include "ModalDriver.h"
#include "settings/OptionsDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T = QWidget>
T *control(QDialog &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

} // namespace

// Loading shows the stored choices and sets the globals; Apply stores and waits for the next
// click (even one that changes nothing); Cancel keeps what was applied.
TEST(Options, ApplyStoresAndCancelKeepsWhatWasApplied)
{
    AppHarness h;
    h.setSetting("SaveType", "1");
    OptionsDialog dialog(h.store, h.doc);
    dialog.show();
    EXPECT_TRUE(control<QRadioButton>(dialog, "optSaveType1")->isChecked());
    EXPECT_EQ(h.doc.SaveType, 1);
    auto *apply = control<QPushButton>(dialog, "cmdApply");
    for (const char *name : {"optSaveType0", "chkAutoLoad", "cmdApply"})
        QTest::mouseClick(control(dialog, name), Qt::LeftButton);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(h.setting("SaveType"), "0");
    EXPECT_EQ(h.setting("AutoOpen"), "0");
    EXPECT_EQ(h.doc.SaveType, 0);
    QTest::mouseClick(control(dialog, "optSaveType0"), Qt::LeftButton);
    EXPECT_TRUE(apply->isEnabled());
    QTest::mouseClick(control(dialog, "optSaveType1"), Qt::LeftButton);
    QTest::mouseClick(control(dialog, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(h.setting("SaveType"), "0");
}

// The menu shows the dialog modally; OK stores even when nothing changed, and every caption fits.
TEST(Options, OkFromTheMenuStoresEvenWhenNothingChanged)
{
    AppHarness h;
    h.setSetting("AutoOpen", "");
    whenModal<QDialog>([&](QDialog *dialog) {
        for (const char *name : {"chkAutoLoad", "optSaveType0", "optSaveType1", "cmdOK", "cmdCancel", "cmdApply"})
            EXPECT_GE(control(*dialog, name)->width(), control(*dialog, name)->sizeHint().width()) << name;
        control<QPushButton>(*dialog, "cmdOK")->click();
    });
    MainWindow window(h.doc, h.ui, h.store);
    window.findChild<QAction *>(QStringLiteral("mnuOptions"))->trigger();
    EXPECT_EQ(h.setting("AutoOpen"), "1");
    EXPECT_EQ(h.setting("SaveType"), "0");
}
