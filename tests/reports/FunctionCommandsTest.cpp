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
#include <tuple>

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

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void ExpectNumberedError(const std::vector<FakeUserInterface::Shown> &errors)
{
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+: \\S")).match(errors[0].text).hasMatch())
        << errors[0].text.toStdString();
}

// A temporary folder holding velmoran.ini, loaded into a document.
class LoadedIni : public ::testing::Test {
protected:
    void SetUp() override
    {
        iniPath = folder.filePath(QStringLiteral("velmoran.ini"));
        ASSERT_TRUE(WriteAll(iniPath, SampleIni));
        doc.IniPath = QFile::encodeName(iniPath).toStdString();
        ASSERT_TRUE(LoadIniFile(doc).status.ok());
        ASSERT_EQ(doc.EntryTable.size(), 3u);
    }

    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    bool onlyTheIniInFolder() const
    {
        return QDir(folder.path()).entryList(QDir::Files) == QStringList{QStringLiteral("velmoran.ini")};
    }

    QTemporaryDir folder;
    QString iniPath;
    IniDocument doc;
    FakeUserInterface ui;
};

TEST_F(LoadedIni, ConvertNoChangesNothingAndYesUpperCasesEveryCrcRemovedOnesToo)
{
    doc.EntryTable[1].Removed = true;
    doc.EntryTable[2].CRC = "\xe9x\xff"; // only ASCII letters change
    std::vector<RomEntry> expected = doc.EntryTable;
    ui.yesNoAnswers = {false, true};
    EXPECT_FALSE(ConvertCrcsToUpperCase(nullptr, doc, ui));
    EXPECT_EQ(doc.EntryTable, expected);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("Really convert all CRC's to uppercase?"));

    EXPECT_TRUE(ConvertCrcsToUpperCase(nullptr, doc, ui));
    expected[1].CRC = "0BADF00D-4A";
    expected[2].CRC = "\xe9X\xff";
    EXPECT_EQ(doc.EntryTable, expected);
    EXPECT_EQ(ReadAll(iniPath), SampleIni) << "the file itself changes only at the next save";
}

// No to either question, or Cancel in the dialog, stops the backup: no file, nothing further shown.
TEST_F(LoadedIni, BackupStopsEarlyWithoutAFile)
{
    const QString ConfirmBackup = QStringLiteral("Confirm Backup");
    const QString ConfirmContinue = QStringLiteral("confirm Continue");
    const std::tuple<std::deque<bool>, QStringList, bool> steps[] = {
        {{false}, {ConfirmBackup}, false},
        {{true, false}, {ConfirmBackup, ConfirmContinue}, false},
        {{true, true}, {ConfirmBackup, ConfirmContinue}, true}};
    for (const auto &[answers, titles, dialogShown] : steps) {
        FakeUserInterface fresh;
        fresh.yesNoAnswers = answers;
        fresh.fileAnswers = {std::nullopt};
        BackupIniFile(nullptr, doc, fresh);
        QStringList asked;
        for (const auto &question : fresh.questions())
            asked << question.title;
        EXPECT_EQ(asked, titles);
        EXPECT_EQ(fresh.questions().back().icon, titles.size() == 2 ? Icon::Exclamation : Icon::Question);
        ASSERT_EQ(fresh.filters.size(), dialogShown ? 1u : 0u);
        if (dialogShown) {
            EXPECT_EQ(fresh.filters[0].pattern, QStringLiteral("*.ini.bak"));
            EXPECT_EQ(fresh.proposedPaths[0], iniPath + QStringLiteral(".bak"));
            EXPECT_EQ(fresh.neverOffered[0], iniPath);
        }
        EXPECT_TRUE(fresh.errors().empty());
        EXPECT_TRUE(onlyTheIniInFolder());
    }
}

// The backup is the file as on disk, not the unsaved edits, over an older backup; a missing
// folder or a vanished ini file shows number + description and leaves no file.
TEST_F(LoadedIni, BackupCopiesTheFileOnDiskOrSaysWhyNot)
{
    doc.EntryTable[0].Name = "Edited but not saved";
    const std::vector<RomEntry> inMemory = doc.EntryTable;
    const QString backup = path("velmoran.ini.bak");
    ASSERT_TRUE(WriteAll(backup, "an older backup"));
    ui.yesNoAnswers = {true, true, true, true, true, true};
    ui.fileAnswers = {backup, path("no-such-folder/velmoran.ini.bak"), backup};

    BackupIniFile(nullptr, doc, ui);
    EXPECT_TRUE(ui.errors().empty());
    EXPECT_EQ(ReadAll(backup), SampleIni);
    EXPECT_EQ(ReadAll(iniPath), SampleIni);
    EXPECT_EQ(doc.EntryTable, inMemory);

    ASSERT_TRUE(QFile::remove(backup));
    BackupIniFile(nullptr, doc, ui);
    ExpectNumberedError(ui.errors());
    EXPECT_TRUE(onlyTheIniInFolder());

    ui.shown.clear();
    ASSERT_TRUE(QFile::remove(iniPath));
    BackupIniFile(nullptr, doc, ui);
    ExpectNumberedError(ui.errors());
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(LoadedIni, CompatListReportsTheWholeTableRemovedEntriesIncluded)
{
    doc.EntryTable[2].Removed = true;
    const QString target = path("compat.txt");
    ui.fileAnswers = {target};

    MakeCompatList(nullptr, doc, ui);

    ASSERT_EQ(ui.shown.size(), 1u) << "success shows nothing";
    EXPECT_EQ(ui.filters[0].pattern, QStringLiteral("compat.txt"));
    EXPECT_EQ(ui.neverOffered[0], iniPath);
    const QByteArray report = ReadAll(target);
    EXPECT_EQ(report.toStdString(), CompatListText(doc.EntryTable));
    EXPECT_TRUE(report.contains("Total ROMs: 3\r\n"));
    EXPECT_TRUE(report.contains("\r\nKart Cup - P (Europe)\r\n")) << "the removed entry is listed";
}

// Cancel shows nothing; a missing folder, or nothing loaded, shows the error after the
// dialog. None of them creates a file.
TEST_F(LoadedIni, CompatListFailuresWriteNothing)
{
    const struct {
        const char *name;
        std::optional<QString> answer;
        bool loaded;
    } cases[] = {{"Cancel", std::nullopt, true},
                 {"MissingFolder", path("no-such-folder/compat.txt"), true},
                 {"NothingLoaded", path("compat.txt"), false}};
    for (const auto &failure : cases) {
        SCOPED_TRACE(failure.name);
        IniDocument unloaded;
        FakeUserInterface fresh;
        fresh.fileAnswers = {failure.answer};
        MakeCompatList(nullptr, failure.loaded ? doc : unloaded, fresh);
        ASSERT_EQ(fresh.shown.size(), failure.answer ? 2u : 1u);
        EXPECT_EQ(fresh.shown[0].kind, QStringLiteral("save"));
        if (failure.answer)
            ExpectNumberedError(fresh.errors());
        EXPECT_TRUE(onlyTheIniInFolder());
    }
}

} // namespace

// The report is offered beside the ini file and never replaces it, by whatever name it is reached.
TEST_F(LoadedIni, CompatListIsOfferedBesideTheIniFileAndNeverWrittenOverIt)
{
    ASSERT_TRUE(QFile::link(iniPath, path("link.ini")));
    for (const QString &target : {iniPath, path("link.ini"), folder.path() + QStringLiteral("/./velmoran.ini")}) {
        ui.fileAnswers = {target};
        MakeCompatList(nullptr, doc, ui);
    }
    EXPECT_EQ(ui.proposedPaths, std::vector<QString>(3, path("compat.txt")));
    EXPECT_EQ(ui.errors().size(), 3u);
    EXPECT_EQ(ReadAll(iniPath), SampleIni);
}
