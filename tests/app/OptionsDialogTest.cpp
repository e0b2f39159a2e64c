#include "AppHarness.h"
#include "ModalDriver.h"
#include "settings/OptionsDialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

// Loading shows the stored choices and sets the globals; Apply stores and waits for the next
// click (even one that changes nothing); Cancel keeps what was applied; OK from the menu
// stores even when nothing changed.
TEST(Options, ApplyAndOkStoreAndCancelKeepsWhatWasApplied)
{
    AppHarness h;
    h.setSetting("SaveType", "1");
    h.setSetting("AutoOpen", "");
    OptionsDialog dialog(h.store, h.doc);
    dialog.show();
    const auto click = [&dialog](const char *name) {
        QTest::mouseClick(dialog.findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
    };
    EXPECT_TRUE(dialog.findChild<QRadioButton *>(QStringLiteral("optSaveType1"))->isChecked());
    EXPECT_EQ(h.doc.SaveType, 1);
    auto *apply = dialog.findChild<QPushButton *>(QStringLiteral("cmdApply"));
    for (const char *name : {"optSaveType0", "chkAutoLoad", "cmdApply"})
        click(name);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(h.setting("SaveType"), "0");
    EXPECT_EQ(h.setting("AutoOpen"), "0");
    EXPECT_EQ(h.doc.SaveType, 0);
    click("optSaveType0");
    EXPECT_TRUE(apply->isEnabled());
    click("optSaveType1");
    click("cmdCancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(h.setting("SaveType"), "0");

    h.setSetting("AutoOpen", "");
    whenModal<QDialog>([&](QDialog *shown) { shown->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); });
    MainWindow window(h.doc, h.ui, h.store);
    window.findChild<QAction *>(QStringLiteral("mnuOptions"))->trigger();
    EXPECT_EQ(h.setting("AutoOpen"), "1");
    EXPECT_EQ(h.setting("SaveType"), "0");
}
