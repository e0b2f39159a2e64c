#include "FakeUserInterface.h"

#include "inidb/IniReader.h"
#include "reports/CompatText.h"
#include "reports/FunctionCommands.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

namespace {

using Icon = UserInterface::Icon;

const QByteArray SampleIni = "// Velmoran ROM settings\r\n"
                             "\r\n"
                             "{A1B2C3D4-45}\r\nName=Wave Racer 64\r\nUCode=0\r\nComment=Playable\r\n\r\n"
                             "{0badf00d-4a}\r\nName=Dream Quest\r\nUCode=2\r\nComment=not playable\r\n\r\n"
                             "{11223344-50}\r\nName=Kart Cup\r\nUCode=1\r\n\r\n";

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A temporary folder holding velmoran.ini, loaded into a document.
class LoadedIni : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        iniPath = folder.filePath(QStringLiteral("velmoran.ini"));
        WriteAll(iniPath, SampleIni);
        doc.IniPath = QFile::encodeName(iniPath).toStdString();
        ASSERT_TRUE(LoadIniFile(doc).status.ok());
        ASSERT_EQ(doc.EntryTable.size(), 3u);
    }

    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
    QString iniPath;
    IniDocument doc;
    FakeUserInterface ui;
};

void ExpectNumberedError(const FakeUserInterface::Shown &shown)
{
    EXPECT_EQ(shown.kind, QStringLiteral("error"));
    EXPECT_EQ(shown.title, QStringLiteral("Error"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+: \\S")).match(shown.text).hasMatch())
        << shown.text.toStdString();
}

// --- crc -> CRC -------------------------------------------------------------------

TEST_F(LoadedIni, ConvertAsksFirstAndNoChangesNothing)
{
    const std::vector<RomEntry> before = doc.EntryTable;
    ui.yesNoAnswers = {false};
    EXPECT_FALSE(ConvertCrcsToUpperCase(nullptr, doc, ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Confirm Convert"));
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("Really convert all CRC's to uppercase?"));
    EXPECT_EQ(ui.shown[0].icon, Icon::Question);
    EXPECT_EQ(doc.EntryTable, before);
}

TEST_F(LoadedIni, ConvertYesUpperCasesEveryCrcRemovedOnesTooAndNothingElse)
{
    doc.EntryTable[1].Removed = true;
    std::vector<RomEntry> expected = doc.EntryTable;
    expected[1].CRC = "0BADF00D-4A";
    ui.yesNoAnswers = {true};
    EXPECT_TRUE(ConvertCrcsToUpperCase(nullptr, doc, ui));
    EXPECT_EQ(doc.EntryTable, expected);
    EXPECT_TRUE(doc.EntryTable[1].Removed);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ReadAll(iniPath), SampleIni) << "the file itself changes only at the next save";
}

// --- Backup Current ini File -------------------------------------------------------

struct BackupAnswers {
    const char *name;
    std::deque<bool> yesNo;
    std::size_t questionsShown;
    bool dialogShown;
};

class BackupStopsEarly : public LoadedIni, public ::testing::WithParamInterface<BackupAnswers> {};

TEST_P(BackupStopsEarly, LeavesNoFileAndShowsNothingFurther)
{
    ui.yesNoAnswers = GetParam().yesNo;
    if (GetParam().dialogShown)
        ui.fileAnswers = {std::nullopt};
    BackupIniFile(nullptr, doc, ui);

    EXPECT_EQ(ui.questions().size(), GetParam().questionsShown);
    EXPECT_EQ(ui.filters.size(), GetParam().dialogShown ? 1u : 0u);
    EXPECT_TRUE(ui.errors().empty());
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("velmoran.ini")});
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, BackupStopsEarly,
    ::testing::Values(BackupAnswers{"NoToConfirmBackup", {false}, 1, false},
                      BackupAnswers{"NoToContinue", {true, false}, 2, false},
                      BackupAnswers{"CancelInDialog", {true, true}, 2, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadedIni, BackupAsksBothQuestionsWithTheirTextsAndIcons)
{
    ui.yesNoAnswers = {true, true};
    ui.fileAnswers = {std::nullopt};
    BackupIniFile(nullptr, doc, ui);
    const auto questions = ui.questions();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].title, QStringLiteral("Confirm Backup"));
    EXPECT_EQ(questions[0].text, QStringLiteral("Are you sure you wish to backup the current ini file?"));
    EXPECT_EQ(questions[0].icon, Icon::Question);
    EXPECT_EQ(questions[1].title, QStringLiteral("confirm Continue"));
    EXPECT_EQ(questions[1].text,
              QStringLiteral("Note that any changes made during this session will NOT be saved to the "
                             "backup (unless the save button has already been pressed!) - Still continue?"));
    EXPECT_EQ(questions[1].icon, Icon::Exclamation);
}

TEST_F(LoadedIni, BackupOffersTheIniNameWithBakButNeverTheIniFile)
{
    ui.yesNoAnswers = {true, true};
    ui.fileAnswers = {std::nullopt};
    BackupIniFile(nullptr, doc, ui);
    ASSERT_EQ(ui.filters.size(), 1u);
    EXPECT_EQ(ui.filters[0].description, QStringLiteral("Velmoran ini file Backup (.ini.bak)"));
    EXPECT_EQ(ui.filters[0].pattern, QStringLiteral("*.ini.bak"));
    EXPECT_EQ(ui.proposedPaths[0], iniPath + QStringLiteral(".bak"));
    EXPECT_EQ(ui.neverOffered[0], iniPath);
}

TEST_F(LoadedIni, BackupCopiesTheFileAsOnDiskNotTheUnsavedEdits)
{
    doc.EntryTable[0].Name = "Edited but not saved";
    doc.EntryTable[2].Removed = true;
    const std::vector<RomEntry> inMemory = doc.EntryTable;
    const QString target = path("velmoran.ini.bak");
    WriteAll(target, "an older backup");
    ui.yesNoAnswers = {true, true};
    ui.fileAnswers = {target};

    BackupIniFile(nullptr, doc, ui);

    EXPECT_TRUE(ui.errors().empty());
    EXPECT_EQ(ReadAll(target), SampleIni);
    EXPECT_EQ(ReadAll(iniPath), SampleIni);
    EXPECT_EQ(doc.EntryTable, inMemory);
    EXPECT_EQ(doc.IniPath, QFile::encodeName(iniPath).toStdString());
}

TEST_F(LoadedIni, BackupIntoAMissingFolderShowsNumberAndDescription)
{
    ui.yesNoAnswers = {true, true};
    ui.fileAnswers = {path("no-such-folder/velmoran.ini.bak")};
    BackupIniFile(nullptr, doc, ui);
    const auto errors = ui.errors();
    ASSERT_EQ(errors.size(), 1u);
    ExpectNumberedError(errors[0]);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("velmoran.ini")});
}

TEST_F(LoadedIni, BackupOfAVanishedIniFileShowsTheFailure)
{
    ASSERT_TRUE(QFile::remove(iniPath));
    ui.yesNoAnswers = {true, true};
    ui.fileAnswers = {path("velmoran.ini.bak")};
    BackupIniFile(nullptr, doc, ui);
    const auto errors = ui.errors();
    ASSERT_EQ(errors.size(), 1u);
    ExpectNumberedError(errors[0]);
    EXPECT_TRUE(filesInFolder().isEmpty());
}

// --- Make Compatibility List -------------------------------------------------------

TEST_F(LoadedIni, CompatListReportsTheWholeTableRemovedEntriesIncluded)
{
    doc.EntryTable[2].Removed = true;
    const QString target = path("compat.txt");
    ui.fileAnswers = {target};

    MakeCompatList(nullptr, doc, ui);

    ASSERT_EQ(ui.shown.size(), 1u) << "success shows nothing";
    EXPECT_EQ(ui.filters[0].description, QStringLiteral("Compat.txt"));
    EXPECT_EQ(ui.filters[0].pattern, QStringLiteral("compat.txt"));
    EXPECT_EQ(ui.neverOffered[0], iniPath);
    const QByteArray report = ReadAll(target);
    EXPECT_EQ(report.toStdString(), CompatListText(doc.EntryTable));
    EXPECT_TRUE(report.contains("Total ROMs: 3\r\n"));
    EXPECT_TRUE(report.contains("\r\nKart Cup - P (Europe)\r\n")) << "the removed entry is listed";
    EXPECT_TRUE(report.contains("\r\nDream Quest - J (Japan)\r\n"));
}

TEST_F(LoadedIni, CompatListCancelWritesAndShowsNothing)
{
    ui.fileAnswers = {std::nullopt};
    MakeCompatList(nullptr, doc, ui);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(filesInFolder(), QStringList{QStringLiteral("velmoran.ini")});
}

TEST_F(LoadedIni, CompatListIntoAMissingFolderShowsNumberAndDescription)
{
    ui.fileAnswers = {path("no-such-folder/compat.txt")};
    MakeCompatList(nullptr, doc, ui);
    const auto errors = ui.errors();
    ASSERT_EQ(errors.size(), 1u);
    ExpectNumberedError(errors[0]);
}

TEST(CompatListWithNothingLoaded, ShowsTheErrorAfterTheDialogAndCreatesNoFile)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("compat.txt"));
    IniDocument doc;
    FakeUserInterface ui;
    ui.fileAnswers = {target};

    MakeCompatList(nullptr, doc, ui);

    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].kind, QStringLiteral("save"));
    ExpectNumberedError(ui.shown[1]);
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
