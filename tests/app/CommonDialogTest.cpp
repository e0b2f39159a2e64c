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

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

TEST(CommonDialog, OffersTheFilterFirstAndThenEveryFile)
{
    const QStringList filters = CommonDialog::nameFilters(IniFilter);
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].startsWith(QStringLiteral("Velmoran.ini (")));
    EXPECT_EQ(filters[1], QStringLiteral("All files (*)"));
    EXPECT_EQ(CommonDialog::caseInsensitivePattern(QStringLiteral("*.ini.bak")),
              QStringLiteral("*.[iI][nN][iI].[bB][aA][kK]"));
}

TEST(CommonDialog, PatternFindsTheFileInAnyLetterCaseButNoOther)
{
    QTemporaryDir dir;
    for (const char *name : {"Velmoran.INI", "velmoran.ini", "velmoran.ini.bak", "other.ini"})
        touch(dir.filePath(QLatin1String(name)));
    // Case-sensitive listing: only the pattern itself can make the other spelling match.
    const QStringList found = QDir(dir.path()).entryList(
        {CommonDialog::caseInsensitivePattern(QStringLiteral("velmoran.ini"))},
        QDir::Files | QDir::CaseSensitive, QDir::Name);
    EXPECT_EQ(found, (QStringList{QStringLiteral("Velmoran.INI"), QStringLiteral("velmoran.ini")}));
}

TEST(CommonDialog, OffersTheProposalOrTheLastNameButNeverTheForbiddenFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("velmoran.ini"));
    const QString report = dir.filePath(QStringLiteral("compat.txt"));
    touch(ini);
    CommonDialog dialog;
    EXPECT_EQ(dialog.offeredPath({}, {}), QString());
    dialog.remember(ini);
    EXPECT_EQ(dialog.offeredPath({}, {}), ini);
    EXPECT_EQ(dialog.offeredPath(report, ini), report);
    EXPECT_EQ(dialog.offeredPath({}, ini), dir.path());
    EXPECT_EQ(dialog.offeredPath(dir.path() + QStringLiteral("/./velmoran.ini"), ini), dir.path());
}

TEST(CommonDialog, ReturnsTheChosenFileAndStartsThereNextTime)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Velmoran.INI"));
    touch(ini);
    CommonDialog dialog;
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        EXPECT_EQ(shown->objectName(), QStringLiteral("CommonDialog"));
        EXPECT_EQ(shown->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(shown->nameFilters(), CommonDialog::nameFilters(IniFilter));
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

class OverwritePrompt : public ::testing::TestWithParam<bool> {};

TEST_P(OverwritePrompt, SaveAsksBeforeReplacingAnExistingFile)
{
    const bool replace = GetParam();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("velmoran.ini"));
    touch(target);
    CommonDialog dialog;
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
    const auto chosen = dialog.show(nullptr, CommonDialog::Mode::Save, IniFilter, target);
    EXPECT_TRUE(asked);
    EXPECT_EQ(chosen.has_value(), replace);
}

INSTANTIATE_TEST_SUITE_P(CommonDialog, OverwritePrompt, ::testing::Bool());
