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
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        return path;
    }

    QTemporaryDir dir;
    CommonDialog dialog;
};

} // namespace

TEST_F(CommonDialogTest, FilterFindsTheFileInAnyLetterCaseButNoOtherThenOffersEveryFile)
{
    for (const char *name : {"Velmoran.INI", "velmoran.ini", "velmoran.ini.bak", "other.ini"})
        touch(name);
    // Case-sensitive listing: only the pattern itself can make the other spelling match.
    const QStringList found = QDir(dir.path()).entryList(
        {CommonDialog::caseInsensitivePattern(QStringLiteral("velmoran.ini"))},
        QDir::Files | QDir::CaseSensitive, QDir::Name);
    EXPECT_EQ(found, (QStringList{QStringLiteral("Velmoran.INI"), QStringLiteral("velmoran.ini")}));
    EXPECT_EQ(CommonDialog::nameFilters(IniFilter).value(1), QStringLiteral("All files (*)"));
}

TEST_F(CommonDialogTest, OffersTheProposalOrTheLastNameButNeverTheForbiddenFile)
{
    const QString ini = touch("velmoran.ini");
    const QString report = dir.filePath(QStringLiteral("compat.txt"));
    EXPECT_EQ(dialog.offeredPath({}, {}), QString());
    dialog.remember(ini);
    EXPECT_EQ(dialog.offeredPath({}, {}), ini);
    EXPECT_EQ(dialog.offeredPath(report, ini), report);
    EXPECT_EQ(dialog.offeredPath({}, ini), dir.path());
    EXPECT_EQ(dialog.offeredPath(dir.path() + QStringLiteral("/./velmoran.ini"), ini), dir.path());
}

TEST_F(CommonDialogTest, ReturnsTheChosenFileAndStartsThereNextTime)
{
    const QString ini = touch("Velmoran.INI");
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        EXPECT_EQ(shown->acceptMode(), QFileDialog::AcceptOpen);
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
}

class OverwritePrompt : public CommonDialogTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OverwritePrompt, SaveAsksBeforeReplacingAnExistingFile)
{
    const bool replace = GetParam();
    const QString target = touch("velmoran.ini");
    bool asked = false;
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        EXPECT_EQ(shown->acceptMode(), QFileDialog::AcceptSave);
        whenModal<QMessageBox>([&](QMessageBox *box) {
            asked = true;
            box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        shown->selectFile(target);
        static_cast<QDialog *>(shown)->accept();
        if (!replace)
            shown->reject();
    });
    EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Save, IniFilter, target).has_value(), replace);
    EXPECT_TRUE(asked);
}

INSTANTIATE_TEST_SUITE_P(CommonDialog, OverwritePrompt, ::testing::Bool());
