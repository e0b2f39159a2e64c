#include "FakeUserInterface.h"
#include "ModalDriver.h"

#include "editing/RomProperties.h"
#include "editing/frmProperties.h"
#include "inidb/IniReader.h"
#include "reports/CompatText.h"
#include "reports/FunctionCommands.h"
#include "reports/Printing.h"
#include "reports/SelectPrinterDialog.h"
#include "TestText.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray SampleIni = "// Velmoran ROM settings\r\n\r\n"
                             "{A1B2C3D4-45}\r\nName=Wave Racer 64\r\nUCode=0\r\nComment=Playable\r\n\r\n"
                             "{0badf00d-4a}\r\nName=Dream Quest\r\nUCode=2\r\nComment=not playable\r\n\r\n"
                             "{11223344-50}\r\nName=Kart Cup\r\nUCode=1\r\n\r\n";

// What a poppler tool prints about a file.
QString PopplerOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A temporary folder holding velmoran.ini, loaded into a document and then edited: the
// third entry removed, the first renamed.
class LoadedIni : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteAll(path("velmoran.ini"), SampleIni));
        doc.IniPath = QFile::encodeName(path("velmoran.ini")).toStdString();
        ASSERT_TRUE(LoadIniFile(doc).status.ok());
        doc.EntryTable[0].Name = Text("Edited but not saved");
        doc.EntryTable[2].Removed = true;
    }

    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }
    // What the user was shown: kind and title, with an error's text reduced to "number:".
    static QStringList shownOf(const FakeUserInterface &ui)
    {
        QStringList shown;
        for (const FakeUserInterface::Shown &s : ui.shown)
            shown << s.kind + QLatin1Char(' ') + (s.kind == QStringLiteral("error") ? s.text.section(u' ', 0, 0) : s.title);
        return shown;
    }

    QTemporaryDir folder;
    IniDocument doc;
};

// The backup is offered beside the ini file and copies the file as on disk, not the unsaved
// edits, over an older backup. No to either question or Cancel stops it early, and only a
// finished backup leaves a file (failures are the save-failure test's). The ini file itself
// is refused as the target: a copy onto itself would be no copy.
TEST_F(LoadedIni, BackupCopiesTheFileOnDiskOrStopsWithoutAFile)
{
    const struct {
        std::deque<bool> answers;
        std::optional<QString> file;
        bool backedUp;
        std::size_t errors = 0;
    } cases[] = {{{false}, {}, false},
                 {{true, false}, {}, false},
                 {{true, true}, std::nullopt, false},
                 {{true, true}, path("velmoran.ini"), false, 1},
                 {{true, true}, path("velmoran.ini.bak"), true}};
    const QByteArray olderBackup = "an older backup";
    ASSERT_TRUE(WriteAll(path("velmoran.ini.bak"), olderBackup));
    for (const auto &c : cases) {
        FakeUserInterface ui;
        ui.yesNoAnswers = c.answers;
        if (c.answers.back())
            ui.fileAnswers = {c.file};
        EXPECT_EQ(BackupIniFile(nullptr, doc, ui).has_value(), c.backedUp);
        EXPECT_EQ(ui.shown.size(), c.answers.size() + c.answers.back() + c.errors);
        EXPECT_EQ(ReadAll(path("velmoran.ini.bak")), c.backedUp ? SampleIni : olderBackup);
        if (c.answers.back()) {
            EXPECT_EQ(ui.proposedPaths[0] + ui.neverOffered[0], path("velmoran.ini.bak") + path("velmoran.ini"));
        }
    }
    EXPECT_EQ(files(), QStringList({QStringLiteral("velmoran.ini"), QStringLiteral("velmoran.ini.bak")}));
}

// The report lists the whole table, removed entries included, and success shows nothing
// more. Cancel, and the ini file itself by whatever name it is reached, each stop after the
// dialog, and neither writes a file.
TEST_F(LoadedIni, CompatListIsWrittenBesideTheIniFileOrNotAtAll)
{
    ASSERT_TRUE(QFile::link(path("velmoran.ini"), path("link.ini")));
    const QString Save = QStringLiteral("save Compat.txt");
    for (const std::optional<QString> &file : {std::optional<QString>(), std::optional(path("velmoran.ini")),
                                               std::optional(path("link.ini")),
                                               std::optional(folder.path() + QStringLiteral("/./velmoran.ini"))}) {
        FakeUserInterface ui;
        ui.fileAnswers = {file};
        EXPECT_EQ(MakeCompatList(nullptr, doc, ui), std::nullopt);
        EXPECT_EQ(shownOf(ui), file ? QStringList({Save, QStringLiteral("error The")}) : QStringList{Save});
        EXPECT_EQ(ui.proposedPaths[0] + ui.neverOffered[0], path("compat.txt") + path("velmoran.ini"));
    }
    EXPECT_EQ(ReadAll(path("velmoran.ini")), SampleIni);
    EXPECT_EQ(files(), QStringList({QStringLiteral("link.ini"), QStringLiteral("velmoran.ini")}));

    FakeUserInterface ui;
    ui.fileAnswers = {path("compat.txt")};
    EXPECT_EQ(MakeCompatList(nullptr, doc, ui), path("compat.txt"));
    EXPECT_EQ(shownOf(ui), QStringList{Save});
    EXPECT_EQ(ReadAll(path("compat.txt")).toStdString(), CompatListText(doc.EntryTable));
    EXPECT_TRUE(ReadAll(path("compat.txt")).contains("\r\nKart Cup - P (Europe)\r\n")) << "the removed entry is listed";
}

// Without a printer, Print says so before the empty printer list shows. "Save as PDF…"
// writes the dialog as it shows, its texts as text and no picture, never over the ini file.
TEST_F(LoadedIni, PrintWithoutAPrinterSaysSoFirstAndSavesThePageAsPdf)
{
    qputenv("CUPS_SERVER", QFile::encodeName(path("no-print-system.sock")));
    RomEntry rom = doc.EntryTable[1];
    frmProperties dialog(rom, {});
    FillRomProperties(dialog, rom);
    dialog.show();
    const QString NoPrinter = QStringLiteral("notice Print");
    for (const QString &file : {path("velmoran.ini"), path("page.pdf")}) {
        FakeUserInterface ui;
        ui.fileAnswers = {file};
        QStringList shownBeforeTheList;
        whenModal<frmSelectPrinter>([&](frmSelectPrinter *chooser) {
            shownBeforeTheList = shownOf(ui);
            chooser->cmdSavePdf()->click();
        });
        PrintRomProperties(dialog, doc, ui);
        EXPECT_EQ(shownBeforeTheList, QStringList{NoPrinter});
        EXPECT_EQ(shownOf(ui).size(), file == path("velmoran.ini") ? 3 : 2) << "an error for the ini file";
    }
    EXPECT_EQ(ReadAll(path("velmoran.ini")), SampleIni);
    const QString pageText = PopplerOutput(QStringLiteral("pdftotext"), {path("page.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(pageText.contains(QStringLiteral("Dream Quest"))) << pageText.toStdString();
    const QStringList images = PopplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path("page.pdf")})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Frames, boxes and buttons are lines: only the dialog's own small pictures (the flag, the
    // list arrows) are bitmaps.
    ASSERT_GE(images.size(), 2) << "pdfimages lists no pictures";
    for (const QString &image : images.mid(2))
        EXPECT_LE(image.simplified().section(QLatin1Char(' '), 3, 3).toInt(), 16) << image.toStdString();
}

} // namespace
