// Removing entries, the menu of removed ROMs, the history of steps, and what a save
// writes afterwards.
#include "PropertiesTestEntries.h"

#include "FakeUserInterface.h"
#include "FaultFileSystem.h"
#include "editing/DocumentSession.h"
#include "editing/EditingCommands.h"
#include "editing/UndoMenu.h"
#include "inidb/FileSystem.h"

#include <QMenu>
#include <QTemporaryDir>

#include <cerrno>
#include <fstream>

#include <gtest/gtest.h>

namespace {

const std::string Preamble = "// Velmoran ini\r\n\r\n";
const std::string Alpha = "{AAAA0001-45}\r\nName=Alpha\r\nUCode=5\r\n\r\n";
const std::string Bravo = "{BBBB0002-4A}\r\nName=Bravo & Co \x80\r\nUCode=4\r\nComment=Playable\r\n\r\n";
const std::string Nameless = "{CCCC0003-50}\r\nName=\r\nUCode=0\r\n\r\n";
const std::string Delta = "{dddd0004-00}\r\nName=Delta\r\nUCode=1\r\nDisableEeprom\r\n\r\n";

class Removal : public ::testing::Test {
protected:
    Removal() : m_session(m_doc), m_undo(m_mnuUndo, m_session)
    {
        m_doc.IniPath = path();
        writeAll(Preamble + Alpha + Bravo + Nameless + Delta);
        EXPECT_TRUE(m_session.load(DefaultFileSystem()).status.ok());
    }

    std::string path() const { return (m_folder.path() + QStringLiteral("/velmoran.ini")).toStdString(); }
    void writeAll(const std::string &bytes) { std::ofstream(path(), std::ios::binary) << bytes; }
    std::string file() const { return DefaultFileSystem().ReadWholeFile(path()).value; }

    void remove(std::size_t index)
    {
        m_ui.yesNoAnswers.push_back(true);
        ASSERT_TRUE(ConfirmRemoval(nullptr, m_doc, {index}, m_ui));
        ASSERT_TRUE(m_session.removeEntries({index}));
    }

    QList<QAction *> elements() const { return m_mnuUndo.findChildren<QAction *>(QStringLiteral("mnuUndoItem")); }

    // Each shown element's caption, "+" before an enabled one, joined by "|".
    QString captions() const
    {
        QStringList texts;
        for (const QAction *action : elements())
            if (action->isVisible())
                texts << (action->isEnabled() ? QStringLiteral("+") : QString()) + action->text();
        return texts.join(QLatin1Char('|'));
    }

    std::string save(std::int16_t saveType, const std::vector<std::size_t> &rows)
    {
        m_doc.SaveType = saveType;
        EXPECT_TRUE(m_session.save(path(), rows, DefaultFileSystem()).status.ok());
        return file();
    }

    QTemporaryDir m_folder;
    IniDocument m_doc;
    FakeUserInterface m_ui;
    DocumentSession m_session;
    QMenu m_mnuUndo;
    UndoMenu m_undo;
};

// The question names the ROM; No, or an entry already removed, removes nothing. Elements
// list the removals ("&" shown, not an access key); an element restores its entry as a
// step, greyed while the entry is back, and "No Undo Available" shows only when nothing
// can be restored. Undo and redo of each step follow.
TEST_F(Removal, TheMenuOfRemovedRomsRestoresAsStepsOfTheHistory)
{
    m_ui.yesNoAnswers = {false};
    EXPECT_FALSE(ConfirmRemoval(nullptr, m_doc, {0}, m_ui));
    EXPECT_EQ(m_ui.questions().back().text, QStringLiteral("Are you sure you wish to delete the ROM entry \"Alpha\"?"));
    EXPECT_EQ(captions(), QStringLiteral("No Undo Available"));
    remove(3);
    remove(1);
    EXPECT_FALSE(ConfirmRemoval(nullptr, m_doc, {1}, m_ui));
    EXPECT_EQ(m_ui.questions().size(), 3u);
    EXPECT_EQ(captions(), QStringLiteral("+Delta|+Bravo && Co \u20AC"));
    EXPECT_EQ(m_session.history().undoText(), QStringLiteral("Remove \"Bravo & Co \u20AC\""));
    elements()[2]->trigger();
    EXPECT_FALSE(m_doc.EntryTable[1].Removed);
    EXPECT_EQ(captions(), QStringLiteral("+Delta|Bravo && Co \u20AC"));
    EXPECT_EQ(m_session.history().undoText(), QStringLiteral("Restore \"Bravo & Co \u20AC\""));
    m_session.history().undo();
    EXPECT_TRUE(m_doc.EntryTable[1].Removed);
    m_session.history().undo();
    m_session.history().undo();
    EXPECT_EQ(captions(), QStringLiteral("No Undo Available|Delta|Bravo && Co \u20AC"));
    EXPECT_FALSE(m_session.unsaved());
    m_session.history().redo();
    EXPECT_EQ(captions(), QStringLiteral("+Delta|Bravo && Co \u20AC"));
}

// A save keeps the table, so removed entries stay restorable and undo after the save
// writes the file as it was, byte for byte. A displayed order that moved blocks makes
// the document take the file's table: the old elements are greyed and a new history starts.
TEST_F(Removal, HistoryLivesThroughASaveInTableOrder)
{
    const std::string loaded = file();
    remove(1);
    ASSERT_TRUE(m_session.upperCaseCrcs());
    EXPECT_FALSE(m_session.upperCaseCrcs());
    EXPECT_EQ(save(0, {}), Preamble + Alpha + Nameless + "{DDDD0004-00}" + Delta.substr(13));
    EXPECT_FALSE(m_session.unsaved());
    EXPECT_EQ(captions(), QStringLiteral("+Bravo && Co \u20AC"));
    // The file lacks the entry now, though the history can bring it back.
    EXPECT_EQ(SavedRemovals(m_doc), std::vector<std::size_t>{1});
    m_session.history().undo();
    m_session.history().undo();
    EXPECT_TRUE(m_session.unsaved());
    EXPECT_TRUE(SavedRemovals(m_doc).empty());
    EXPECT_EQ(save(1, {0, 1, 2, 3}), loaded);
    m_session.history().redo();
    EXPECT_TRUE(SavedRemovals(m_doc).empty());
    EXPECT_EQ(save(1, {3, 2, 0}), Preamble + Delta + Nameless + Alpha);
    EXPECT_EQ(captions(), QStringLiteral("No Undo Available|Bravo && Co \u20AC"));
    EXPECT_FALSE(m_session.history().canUndo());
}

// A save whose file cannot be read back has still written it: the state is the saved one,
// and the table and its history stay as they were.
TEST_F(Removal, ASaveThatCannotReadItsFileBackKeepsTheHistory)
{
    remove(1);
    for (std::size_t failing = 1;; ++failing) {
        FaultFileSystem faulty(failing, EIO);
        const DocumentSaveResult result = m_session.save(path(), {}, faulty);
        ASSERT_FALSE(faulty.failedOperation().empty());
        if (faulty.failedOperation() == "ReadInPieces") {
            EXPECT_TRUE(result.status.ok() && !result.readBack.status.ok());
            break;
        }
    }
    EXPECT_FALSE(m_session.unsaved());
    EXPECT_TRUE(m_doc.EntryTable[1].Removed);
    EXPECT_TRUE(m_session.history().canUndo());
    EXPECT_EQ(file(), Preamble + Alpha + Nameless + Delta);
}

// A ROM added (a copy of Alpha), on its own or by a merge, then removed: undone and redone,
// both steps leave its removal in the menu to be restored.
class AddedThenRemoved : public Removal, public ::testing::WithParamInterface<bool> {};

TEST_P(AddedThenRemoved, RedoneTheRemovalCanBeRestoredFromTheMenu)
{
    MergeEdits merge;
    merge.inserted = {{4, m_doc.EntryTable[0]}};
    ASSERT_TRUE(GetParam() ? m_session.applyMerge(merge, QStringLiteral("Merge"))
                           : m_session.insertEntries(merge.inserted, QStringLiteral("Add")));
    remove(4);
    for (const bool undo : {true, true, false, false})
        undo ? m_session.history().undo() : m_session.history().redo();
    EXPECT_EQ(captions(), QStringLiteral("+Alpha"));
}

INSTANTIATE_TEST_SUITE_P(AddAndMerge, AddedThenRemoved, ::testing::Bool());

} // namespace
