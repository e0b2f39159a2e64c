// Whatever is pasted into the properties dialog reaches the file as the file's own
// text, on one line, or is refused at OK; nothing else in the file changes.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "app/RomListModel.h"
#include "inidb/DocumentEdits.h"
#include "editing/EditingCommands.h"
#include "editing/RomProperties.h"
#include "inidb/DocumentSave.h"
#include "inidb/FileSystem.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The first entry gets edited; the second, and every text byte the first keeps, must
// come back as they were (0x81 and 0x8D are bytes Windows-1252 leaves undefined).
const std::string Windows1252File = "// head\r\n\r\n{11111111-45}\r\nName=Caf\xE9 \x81\x8D\x80\r\nUCode=0\r\nInfo=old\r\n\r\n"
                                    "{22222222-45}\r\nName=\x93Other\x94 \xFC\r\nUCode=0\r\nInfo=\xE9t\xE9\r\n\r\n";
const std::string AsciiFile = "{11111111-45}\r\nName=Plain\r\nUCode=0\r\n\r\n";
const std::string Utf8File = "{11111111-45}\r\nName=Caf\xC3\xA9 \xE2\x82\xAC\r\nUCode=0\r\nInfo=old\r\n\r\n"
                             "{22222222-45}\r\nName=\xE6\x97\xA5\xE6\x9C\xAC\r\nUCode=0\r\nInfo=x\r\n\r\n";

struct Box {
    const char *name;
    std::string key;
    RomListModel::Column column;
};
const Box Name{"txtRomName", "Name=", RomListModel::Column::Name};
const Box Info{"txtInfo", "Info=", RomListModel::Column::Info};

struct Paste {
    const std::string &file;
    const Box &box;
    QString pasted; // over the box's whole text
    std::string line; // what replaces the first entry's line of that box, or "" when OK refuses
};

// Pastes into the first entry's dialog, presses OK (and Cancel when OK refuses), then
// saves; returns what the box showed at OK.
QString pasteAndSave(IniDocument &doc, UserInterface &ui, const char *box, const QString &pasted)
{
    QString shown;
    whenModal<frmProperties>([&](frmProperties *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>(QLatin1String(box));
        edit->selectAll();
        QApplication::clipboard()->setText(pasted);
        edit->paste();
        shown = edit->text();
        QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
        if (dialog->isVisible())
            dialog->cmdCancel_Click();
    });
    if (const auto edited = ShowRomProperties(nullptr, doc, 0, ui, {}))
        doc.EntryTable[0] = WithTextsKept(doc, edited->values, doc.EntryTable[0]);
    EXPECT_TRUE(SaveDocument(doc, doc.IniPath, {}, DefaultFileSystem()).status.ok());
    return shown;
}

TEST(TextSafety, PastedTextReachesTheFileOnOneLineInTheFilesEncodingOrIsRefused)
{
    const Paste cases[] = {
        {Windows1252File, Info, QStringLiteral("Crashes in level 3.\r\n\r\nWorkaround: use the old save."),
         "Info=Crashes in level 3.  Workaround: use the old save."},
        {Windows1252File, Name, QStringLiteral("a\tb\x01" "c\rd\ne\x7f"), "Name=a\tbc d e"},
        {Windows1252File, Name, QStringLiteral(u"\u00E9\u20AC\u00FC"), "Name=\xE9\x80\xFC"},
        {Windows1252File, Name, QString(200, QLatin1Char('x')), "Name=" + std::string(150, 'x')},
        {Windows1252File, Info, QStringLiteral(u"\u65E5\u672C"), ""},
        {AsciiFile, Name, QStringLiteral(u"\u00C3\u00A9 stays two characters"), "Name=\xC3\xA9 stays two characters"},
        {Utf8File, Name, QStringLiteral(u"\u00E9\u20AC \u65E5\u672C\n\U0001F3AE"),
         "Name=\xC3\xA9\xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xAE"},
        {Utf8File, Info, QString(160, QChar(0xE9)), "Info=" + QString(150, QChar(0xE9)).toUtf8().toStdString()},
        // The cut falls inside the emoji, which goes whole.
        {Utf8File, Name, QString(149, QLatin1Char('x')) + QStringLiteral(u"\U0001F3AE"), "Name=" + std::string(149, 'x')},
    };
    const QTemporaryDir folder;
    for (const Paste &c : cases) {
        SCOPED_TRACE(testing::Message() << c.box.name << " <- " << c.pasted.toStdString());
        IniDocument doc;
        doc.IniPath = folder.filePath(QStringLiteral("velmoran.ini")).toStdString();
        ASSERT_TRUE(WriteFileAtomically(DefaultFileSystem(), doc.IniPath, c.file).ok());
        ASSERT_TRUE(LoadIniFile(doc).status.ok());
        FakeUserInterface ui;
        const QString shown = pasteAndSave(doc, ui, c.box.name, c.pasted);

        std::string expected = c.file;
        if (!c.line.empty()) {
            const std::size_t start = expected.find("\n" + c.box.key) + 1;
            expected.replace(start, expected.find('\r', start) - start, c.line);
        }
        EXPECT_EQ(DefaultFileSystem().ReadWholeFile(doc.IniPath).value, expected);
        EXPECT_EQ(ui.errors().size(), c.line.empty() ? 1u : 0u);
        if (!c.line.empty()) {
            EXPECT_EQ(RomListModel(doc).cellText(0, c.box.column), shown);
        }
    }
}

// A paste into the rescan box is filtered as typing is: one holding more than digits is
// refused whole, and the text it would replace stays.
TEST(TextSafety, TheRescanBoxRefusesAPasteOfMoreThanDigits)
{
    RomEntry entry = NonDefaultEntry();
    frmProperties dialog(entry, {});
    FillRomProperties(dialog, entry);
    dialog.controls().txtOSHLE->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("3x"));
    dialog.controls().txtOSHLE->paste();
    EXPECT_EQ(dialog.controls().txtOSHLE->text(), QStringLiteral("12"));
}

} // namespace
