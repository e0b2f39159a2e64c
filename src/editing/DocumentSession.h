#pragma once

#include "inidb/DocumentEdits.h"
#include "inidb/DocumentSave.h"
#include "inidb/IniDocument.h"
#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"

#include <QObject>
#include <QUndoStack>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

class FileSystem;

// The one owner of the open document: every change to its table, texts and preamble goes
// through here, as a step of the history, and is announced so that lists follow it. The
// history's clean state is the record of unsaved changes.
class DocumentSession final : public QObject {
    Q_OBJECT
public:
    explicit DocumentSession(IniDocument &doc, QObject *parent = nullptr);

    const IniDocument &document() const { return m_doc; }
    QUndoStack &history() { return m_history; }
    bool unsaved() const { return !m_history.isClean(); }

    // Reads doc.IniPath. On success the table is the file's and a new history starts; a
    // file that cannot be read leaves everything as it was.
    LoadResult load(FileSystem &fs);
    // Writes the document to path (see SaveDocument); on success the current state is the
    // saved one. The history stays unless the document had to take the file's table.
    DocumentSaveResult save(const std::string &path, std::span<const std::size_t> displayedOrder, FileSystem &fs);

    // One step each; false (and no step) when there is nothing to change.
    bool editEntry(std::size_t index, const RomEntry &values);
    // New values for entries at their places, as one step; those equal to what the entry
    // holds are left out.
    bool editEntries(std::vector<PlacedEntry> values);
    bool removeEntries(const std::vector<std::size_t> &indexes);
    bool restoreEntries(const std::vector<std::size_t> &indexes);
    // New entries at their places (ascending); their texts are copied into the document.
    bool insertEntries(const std::vector<PlacedEntry> &entries, const QString &stepName);
    // One step: new values for entries (ascending; a removed one comes back), and new
    // entries at their places.
    bool pasteEntries(const std::vector<PlacedEntry> &replacing, const std::vector<PlacedEntry> &added,
                      const QString &stepName);
    bool upperCaseCrcs();
    // The chosen result of a merge as one step (texts already kept in the document).
    bool applyMerge(MergeEdits edits, const QString &stepName);

signals:
    // The table was replaced: everything shown of it is to be built anew.
    void documentReset();
    void entriesChanged(const std::vector<std::size_t> &indexes);
    // Flagged removed: their rows leave the list.
    void entriesRemoved(const std::vector<std::size_t> &indexes);
    // The flag is cleared: their rows come back.
    void entriesRestored(const std::vector<std::size_t> &indexes);
    // New entries now at these places.
    void entriesInserted(const std::vector<std::size_t> &indexes);
    // These entries are about to leave the table, and have left it.
    void entriesAboutToBeErased(const std::vector<std::size_t> &indexes);
    void entriesErased(const std::vector<std::size_t> &indexes);
    void unsavedChanged(bool unsaved);
    void pathChanged();

private:
    friend class EditStep;
    friend class RemovedStep;
    friend class InsertStep;
    friend class UpperCaseStep;
    friend class MergeStep;

    // A removal record of the UndoList and the entry it belongs to.
    struct RecordPlace {
        std::size_t record = 0;
        std::size_t entryIndex = 0;
    };

    // The changes the steps of the history make, each announced.
    void replace(std::span<const PlacedEntry> values);
    void setRemoved(const std::vector<std::size_t> &indexes, bool removed);
    // records, as erase gave them for these entries, belong to them again.
    void insert(std::span<const PlacedEntry> entries, std::span<const RecordPlace> records = {});
    // Gives the removal records the erased entries leave behind.
    std::vector<RecordPlace> erase(const std::vector<std::size_t> &indexes);
    std::vector<ChangedCrc> upperCase();
    void setPreamble(const std::string &preamble);
    void setCrcs(std::span<const ChangedCrc> changes, bool after);
    void announceCrcs(std::span<const ChangedCrc> changes);
    QString nameOf(std::size_t index) const;
    // The entries with every text kept in the document.
    std::vector<PlacedEntry> keptNew(const std::vector<PlacedEntry> &entries);
    // "Remove \"name\"" for one entry (the first), "Remove 3 ROMs" for more.
    QString stepNameFor(const QString &verb, std::size_t count, std::size_t first) const;

    IniDocument &m_doc;
    QUndoStack m_history;
};
