#include "ModalDriver.h"
#include "ui/CommonDialog.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const FileFilter IniFilter{QStringLiteral("Velmoran.ini"), QStringLiteral("velmoran.ini")};

class CommonDialogTest : public ::testing::Test {
protected:
    // A file of that name in the folder, returned with its path.
    QString touch(const char *name)
    {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    QTemporaryDir dir;
    CommonDialog dialog;
};

} // namespace

// The filter finds the file in any letter case but no other (on a case-sensitive listing only
// the pattern can make the other spelling match); the dialog offers the proposal or the last
// name, but never the forbidden file.
TEST_F(CommonDialogTest, FilterAndOfferedPath)
{
    for (const char *name : {"Velmoran.INI", "velmoran.ini", "velmoran.ini.bak", "other.ini"})
        touch(name);
    EXPECT_EQ(QDir(dir.path()).entryList({CommonDialog::caseInsensitivePattern(QStringLiteral("velmoran.ini"))},
                                         QDir::Files | QDir::CaseSensitive, QDir::Name),
              (QStringList{QStringLiteral("Velmoran.INI"), QStringLiteral("velmoran.ini")}));
    EXPECT_EQ(CommonDialog::nameFilters(IniFilter).value(1), QStringLiteral("All files (*)"));

    const QString ini = dir.filePath(QStringLiteral("velmoran.ini"));
    const QString report = dir.filePath(QStringLiteral("compat.txt"));
    EXPECT_EQ(dialog.offeredPath({}, {}), QString());
    dialog.remember(ini);
    EXPECT_EQ(dialog.offeredPath({}, {}), ini);
    EXPECT_EQ(dialog.offeredPath(report, ini), report);
    EXPECT_EQ(dialog.offeredPath(dir.path() + QStringLiteral("/./velmoran.ini"), ini), dir.path());
}

// Open returns the chosen file and starts there next time; Save asks before replacing an
// existing file, and only Yes returns it.
TEST_F(CommonDialogTest, OpenAndSaveReturnTheChosenFile)
{
    const QString ini = touch("Velmoran.INI");
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        shown->setDirectory(dir.path());
        shown->selectFile(ini);
        static_cast<QDialog *>(shown)->accept();
    });
    EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Open, IniFilter), std::optional<QString>(ini));
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        EXPECT_EQ(QDir(shown->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        shown->reject();
    });
    EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Open, IniFilter), std::nullopt);

    for (const bool replace : {false, true}) {
        int asked = 0;
        whenModal<QFileDialog>([&](QFileDialog *shown) {
            EXPECT_EQ(shown->acceptMode(), QFileDialog::AcceptSave);
            whenModal<QMessageBox>([&](QMessageBox *box) {
                ++asked;
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            shown->selectFile(ini);
            static_cast<QDialog *>(shown)->accept();
            if (!replace)
                shown->reject();
        });
        EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Save, IniFilter, ini).has_value(), replace);
        EXPECT_EQ(asked, 1);
    }
}
