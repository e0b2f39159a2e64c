// Whatever is typed or pasted into the properties dialog reaches the file as the file's
// own text, on one line, or is refused at OK; nothing else in the file changes.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "app/RomListModel.h"
#include "editing/EditingCommands.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The first entry gets edited; the second, and every text byte the first keeps, must
// come back as they were (0x81 and 0x8D are bytes Windows-1252 leaves undefined).
const std::string Windows1252File = "// head\r\n\r\n{11111111-45}\r\nName=Caf\xE9 \x81\x8D\x80\r\nUCode=0\r\nInfo=old\r\n\r\n"
                                    "{22222222-45}\r\nName=\x93Other\x94 \xFC\r\nUCode=0\r\nInfo=\xE9t\xE9\r\n\r\n";
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
    std::string line; // the line that replaces the box's line in the file, or "" when OK refuses
};

std::string repeated(const std::string &text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

// The first entry's line of that key.
std::string firstLine(const std::string &file, const std::string &key)
{
    const std::size_t start = file.find("\n" + key) + 1;
    return file.substr(start, file.find('\r', start) - start);
}

class TextSafety : public ::testing::Test {
protected:
    std::string path(const char *name) const { return (m_folder.path() + QLatin1Char('/') + QLatin1String(name)).toStdString(); }

    std::string fileBytes() const
    {
        QFile file(QString::fromStdString(m_doc.IniPath));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    void load(const std::string &bytes)
    {
        m_doc.IniPath = path("velmoran.ini");
        QFile file(QString::fromStdString(m_doc.IniPath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        ASSERT_TRUE(LoadIniFile(m_doc).status.ok());
    }

    // Pastes into the box of the first entry's dialog, presses OK (and Cancel when OK
    // refuses), then saves; returns what the box showed at OK.
    QString pasteAndSave(const char *box, const QString &pasted)
    {
        QString shown;
        whenModal<frmProperties>([&](frmProperties *dialog) {
            auto *edit = Find<QLineEdit>(*dialog, box);
            edit->selectAll();
            QApplication::clipboard()->setText(pasted);
            edit->paste();
            shown = edit->text();
            QTest::mouseClick(dialog->controls().cmdOK, Qt::LeftButton);
            if (dialog->isVisible())
                dialog->cmdCancel_Click();
        });
        ShowRomProperties(nullptr, m_doc, 0, m_ui, {});
        struct KeepPath final : IniPathResolver {
            bool ResolveIniPath(const std::string &) override { return true; }
        } resolver;
        EXPECT_TRUE(SaveIniFile(m_doc, m_doc.IniPath, {}, resolver).status.ok());
        return shown;
    }

    QTemporaryDir m_folder;
    IniDocument m_doc;
    FakeUserInterface m_ui;
};

TEST_F(TextSafety, PastedTextReachesTheFileOnOneLineInTheFilesEncodingOrIsRefused)
{
    const QString longName(200, QLatin1Char('x'));
    const QString longAccents(160, QChar(0xE9));
    const Paste cases[] = {
        {Windows1252File, Info, QStringLiteral("Crashes in level 3.\r\n\r\nWorkaround: use the old save."),
         "Info=Crashes in level 3.  Workaround: use the old save."},
        {Windows1252File, Name, QStringLiteral("a\tb\x01" "c\rd\ne\x7f"), "Name=a\tbc d e"},
        {Windows1252File, Name, QStringLiteral(u"\u00E9\u20AC\u00FC"), "Name=\xE9\x80\xFC"},
        {Windows1252File, Name, longName, "Name=" + std::string(150, 'x')},
        {Windows1252File, Info, QStringLiteral(u"\u65E5\u672C"), ""},
        {Utf8File, Name, QStringLiteral(u"\u00E9\u20AC \u65E5\u672C\n\U0001F3AE"),
         "Name=\xC3\xA9\xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xAE"},
        {Utf8File, Info, longAccents, "Info=" + repeated("\xC3\xA9", 150)},
    };
    for (const Paste &c : cases) {
        SCOPED_TRACE(testing::Message() << c.box.name << " <- " << c.pasted.toStdString());
        m_ui.shown.clear();
        load(c.file);
        const TextEncoding encoding = m_doc.Encoding;
        const QString shown = pasteAndSave(c.box.name, c.pasted);

        std::string expected = c.file;
        if (!c.line.empty()) {
            const std::string oldLine = firstLine(c.file, c.box.key);
            expected.replace(expected.find(oldLine), oldLine.size(), c.line);
        }
        EXPECT_EQ(fileBytes(), expected);
        EXPECT_EQ(m_doc.Encoding, encoding);
        ASSERT_EQ(m_ui.errors().size(), c.line.empty() ? 1u : 0u);
        if (c.line.empty()) {
            EXPECT_TRUE(m_ui.errors()[0].text.contains(QStringLiteral(u"Info: the character \"\u65E5\" (U+65E5)")))
                << m_ui.errors()[0].text.toStdString();
            continue;
        }
        // The reloaded table is what the dialog showed, in the list too.
        RomListModel list(m_doc);
        list.reset();
        EXPECT_EQ(list.cellText(0, c.box.column), shown);
    }
}

} // namespace
