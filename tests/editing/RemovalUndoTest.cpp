// Removing entries, the Undo menu, and what a save writes afterwards.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "editing/EditingCommands.h"
#include "editing/UndoMenu.h"
#include "inidb/IniReader.h"
#include "inidb/FileSystem.h"

#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const std::string Preamble = "// Velmoran ini\r\n\r\n";
const std::string Alpha = "{AAAA0001-45}\r\nName=Alpha\r\nUCode=5\r\n\r\n";
const std::string Bravo = "{BBBB0002-4A}\r\nName=Bravo & Co \x80\r\nUCode=4\r\nComment=Playable\r\n\r\n";
const std::string Nameless = "{CCCC0003-50}\r\nName=\r\nUCode=0\r\n\r\n";
const std::string Delta = "{DDDD0004-00}\r\nName=Delta\r\nUCode=1\r\nDisableEeprom\r\n\r\n";

class Removal : public ::testing::Test {
protected:
    Removal() : m_undo(m_mnuUndo, m_doc)
    {
        const ParsedIni parsed = ParseIni(Preamble + Alpha + Bravo + Nameless + Delta);
        m_doc.EntryTable = parsed.entries;
        m_doc.Texts = parsed.texts;
        m_doc.Preamble = parsed.preamble;
        m_doc.LoadGeneration = 1;
        QObject::connect(&m_undo, &UndoMenu::entryRestored, [this](std::size_t index) { m_restored.push_back(index); });
    }

    void remove(std::size_t index)
    {
        m_ui.yesNoAnswers.push_back(true);
        ASSERT_TRUE(RemoveRomEntry(nullptr, m_doc, index, m_ui));
        m_undo.AddUndoRecords();
    }

    QList<QAction *> elements() const { return m_mnuUndo.findChildren<QAction *>(QStringLiteral("mnuUndoItem")); }

    // Each element's caption, "+" before an enabled one, joined by "|".
    QString captions() const
    {
        QStringList texts;
        for (const QAction *action : elements())
            texts << (action->isEnabled() ? QStringLiteral("+") : QString()) + action->text();
        return texts.join(QLatin1Char('|'));
    }

    std::string save(std::int16_t saveType, const std::vector<std::size_t> &rows)
    {
        m_doc.SaveType = saveType;
        const std::string path = (m_folder.path() + QStringLiteral("/velmoran.ini")).toStdString();
        KeepPath resolver;
        EXPECT_TRUE(SaveIniFile(m_doc, path, rows, resolver).status.ok());
        m_undo.documentReloaded();
        return DefaultFileSystem().ReadWholeFile(path).value;
    }

    IniDocument m_doc;
    FakeUserInterface m_ui;
    QMenu m_mnuUndo;
    UndoMenu m_undo;
    std::vector<std::size_t> m_restored;
    QTemporaryDir m_folder;
};

// The menu lists removals under its disabled placeholder ("&" shown, not an access key); an
// element restores its entry once, and an entry removed again comes back only by the new one.
// No removes nothing; an entry already removed, or none, asks nothing and records nothing.
TEST_F(Removal, UndoMenuElementsRestoreTheirEntryOnce)
{
    m_ui.yesNoAnswers = {false};
    EXPECT_FALSE(RemoveRomEntry(nullptr, m_doc, 1, m_ui));
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    remove(3);
    remove(1);
    remove(2);
    EXPECT_FALSE(RemoveRomEntry(nullptr, m_doc, 1, m_ui));
    EXPECT_FALSE(RemoveRomEntry(nullptr, m_doc, 4, m_ui));
    EXPECT_EQ(m_ui.questions().size(), 4u);
    EXPECT_EQ(captions(), QStringLiteral("No Undo Available|+Delta|+Bravo && Co \u20AC|+"));
    elements()[2]->trigger();
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    EXPECT_TRUE(m_doc.EntryTable[3].Removed);
    EXPECT_EQ(m_restored, std::vector<std::size_t>{1});
    remove(1);
    elements()[2]->trigger();
    EXPECT_TRUE(m_doc.EntryTable[1].Removed);
    elements()[4]->trigger();
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    EXPECT_EQ(m_restored, (std::vector<std::size_t>{1, 1}));
    EXPECT_EQ(captions(), QStringLiteral("No Undo Available|+Delta|Bravo && Co \u20AC|+|Bravo && Co \u20AC"));
}

// Bravo and Delta removed, then Bravo restored: a save in displayed order writes exactly the
// shown entries in that order; afterwards elements of the old table stay listed but disabled,
// and a removal from the new table is undoable again.
TEST_F(Removal, SavesWriteTheShownEntriesAndOldElementsAreDisabled)
{
    remove(1);
    remove(3);
    elements()[1]->trigger();
    EXPECT_EQ(save(1, {1, 0, 2}), Preamble + Bravo + Alpha + Nameless);
    EXPECT_EQ(captions(), QStringLiteral("No Undo Available|Bravo && Co \u20AC|Delta"));
    elements()[2]->trigger();
    EXPECT_EQ(m_restored, std::vector<std::size_t>{1});
    remove(0);
    elements()[3]->trigger();
    EXPECT_EQ(m_restored, (std::vector<std::size_t>{1, 0}));
    EXPECT_EQ(save(0, {}), Preamble + Bravo + Alpha + Nameless);
}

} // namespace
