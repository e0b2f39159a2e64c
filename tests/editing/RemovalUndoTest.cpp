// Removing entries, the Undo menu, and what a save writes afterwards.
#include "FakeUserInterface.h"
#include "editing/EditingCommands.h"
#include "editing/UndoMenu.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const std::string Preamble = "// Velmoran ini\r\n\r\n";
const std::string Alpha = "{AAAA0001-45}\r\nName=Alpha\r\nUCode=5\r\n\r\n";
const std::string Bravo = "{BBBB0002-4A}\r\nName=Bravo & Co\r\nUCode=4\r\nComment=Playable\r\n\r\n";
const std::string Nameless = "{CCCC0003-50}\r\nName=\r\nUCode=0\r\n\r\n";
const std::string Delta = "{DDDD0004-00}\r\nName=Delta\r\nUCode=1\r\nDisableEeprom\r\n\r\n";

class PathKeeper final : public IniPathResolver {
public:
    bool ResolveIniPath(const std::string &) override { return true; }
};

class Removal : public ::testing::Test {
protected:
    Removal() : m_undo(m_mnuUndo, m_doc)
    {
        const ParsedIni parsed = ParseIni(Preamble + Alpha + Bravo + Nameless + Delta);
        m_doc.EntryTable = parsed.entries;
        m_doc.Preamble = parsed.preamble;
        m_doc.LoadGeneration = 1;
        QObject::connect(&m_undo, &UndoMenu::entryRestored,
                         [this](std::size_t index) { m_restored.push_back(index); });
    }

    void remove(std::size_t index)
    {
        m_ui.yesNoAnswers.push_back(true);
        ASSERT_TRUE(RemoveRomEntry(nullptr, m_doc, index, m_ui));
        m_undo.AddUndoRecords();
    }

    QList<QAction *> elements() const { return m_mnuUndo.findChildren<QAction *>(QStringLiteral("mnuUndoItem")); }

    QStringList captions() const
    {
        QStringList texts;
        for (const QAction *action : elements())
            texts << action->text();
        return texts;
    }

    std::string save(std::int16_t saveType, const std::vector<std::size_t> &rows)
    {
        m_doc.SaveType = saveType;
        const std::string path = (m_folder.path() + QStringLiteral("/velmoran.ini")).toStdString();
        PathKeeper resolver;
        const SaveResult result = SaveIniFile(m_doc, path, rows, resolver);
        EXPECT_TRUE(result.status.ok()) << result.status.description;
        m_undo.documentReloaded();
        QFile written(QString::fromStdString(path));
        EXPECT_TRUE(written.open(QIODevice::ReadOnly));
        return written.readAll().toStdString();
    }

    IniDocument m_doc;
    FakeUserInterface m_ui;
    QMenu m_mnuUndo;
    UndoMenu m_undo;
    std::vector<std::size_t> m_restored;
    QTemporaryDir m_folder;
};

TEST_F(Removal, NoChangesNothingAndYesMarksTheEntryAndRecordsIt)
{
    const IniDocument before = m_doc;
    m_ui.yesNoAnswers = {false, true};
    EXPECT_FALSE(RemoveRomEntry(nullptr, m_doc, 1, m_ui));
    EXPECT_EQ(m_doc.EntryTable, before.EntryTable);
    EXPECT_TRUE(m_doc.UndoList.empty());

    EXPECT_TRUE(RemoveRomEntry(nullptr, m_doc, 1, m_ui));
    ASSERT_EQ(m_ui.questions().size(), 2u);
    EXPECT_EQ(m_ui.questions()[1].title, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(m_ui.questions()[1].text, QStringLiteral("Are you sure you wish to delete this ROM entry?"));
    EXPECT_TRUE(m_doc.EntryTable[1].Removed);
    ASSERT_EQ(m_doc.UndoList.size(), 1u);
    const UndoRecord &record = m_doc.UndoList[0];
    EXPECT_EQ(record.Name, "Bravo & Co");
    EXPECT_EQ(record.CRC, "BBBB0002-4A");
    EXPECT_EQ(record.entryIndex, 1u);
    EXPECT_EQ(record.loadGeneration, 1u);

    // Nothing left to remove, or no such entry: no question, no record.
    EXPECT_FALSE(RemoveRomEntry(nullptr, m_doc, 1, m_ui));
    EXPECT_FALSE(RemoveRomEntry(nullptr, m_doc, 4, m_ui));
    EXPECT_EQ(m_ui.questions().size(), 2u);
    EXPECT_EQ(m_doc.UndoList.size(), 1u);
}

TEST_F(Removal, UndoMenuListsRemovalsUnderItsDisabledPlaceholder)
{
    EXPECT_EQ(captions(), QStringList{QStringLiteral("No Undo Available")});
    remove(3);
    remove(1);
    remove(2);
    // An "&" in a name is shown, not taken as an access key; an empty name gives an empty caption.
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("No Undo Available"), QStringLiteral("Delta"),
                                       QStringLiteral("Bravo && Co"), QString()}));
    const QList<QAction *> all = elements();
    ASSERT_EQ(all.size(), 4);
    EXPECT_FALSE(all[0]->isEnabled());
    for (qsizetype k = 1; k < all.size(); ++k)
        EXPECT_TRUE(all[k]->isEnabled()) << k;
}

TEST_F(Removal, AnElementRestoresItsEntryOnce)
{
    remove(3);
    remove(1);
    elements()[2]->trigger();
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    EXPECT_TRUE(m_doc.EntryTable[3].Removed);
    EXPECT_EQ(m_restored, std::vector<std::size_t>{1});
    EXPECT_FALSE(elements()[2]->isEnabled());

    // Removed again: only the new element brings it back.
    remove(1);
    elements()[2]->trigger();
    EXPECT_TRUE(m_doc.EntryTable[1].Removed);
    elements()[3]->trigger();
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    EXPECT_EQ(m_restored, (std::vector<std::size_t>{1, 1}));
    EXPECT_EQ(captions().size(), 4);
}

// Bravo and Delta removed, then Bravo restored. In the displayed order the list shows the
// rows sorted by name, descending; Delta has no row.
struct SaveCase {
    std::int16_t saveType;
    std::vector<std::size_t> rows;
    std::string written;
};

class RemovalSave : public Removal, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(RemovalSave, WritesExactlyTheShownEntries)
{
    remove(1);
    remove(3);
    elements()[1]->trigger();
    EXPECT_EQ(save(GetParam().saveType, GetParam().rows), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Orders, RemovalSave,
                         ::testing::Values(SaveCase{0, {}, Preamble + Alpha + Bravo + Nameless},
                                           SaveCase{1, {1, 0, 2}, Preamble + Bravo + Alpha + Nameless}));

TEST_F(Removal, ElementsOfDroppedEntriesStayListedButDisabled)
{
    remove(0);
    remove(2);
    save(0, {});
    ASSERT_EQ(m_doc.EntryTable.size(), 2u);
    const QList<QAction *> all = elements();
    ASSERT_EQ(all.size(), 3);
    for (const QAction *element : all)
        EXPECT_FALSE(element->isEnabled());
    all[1]->trigger();
    EXPECT_TRUE(m_restored.empty());

    // A removal from the new table is undoable again, the old ones are not.
    remove(1);
    EXPECT_TRUE(elements()[3]->isEnabled());
    elements()[3]->trigger();
    EXPECT_EQ(m_restored, std::vector<std::size_t>{1});
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    EXPECT_EQ(m_doc.EntryTable[1].Name, "Delta");
}

} // namespace
