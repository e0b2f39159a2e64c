#pragma once

#include "DocumentSession.h"
#include "inidb/DocumentEdits.h"

#include <QUndoCommand>

#include <cstddef>
#include <vector>

// A step of the history; it changes the document only through the session. A step made
// with a parent is a part of that step, undone and redone with it.
class DocumentStep : public QUndoCommand {
protected:
    DocumentStep(DocumentSession &session, const QString &name, QUndoCommand *parent = nullptr);

    DocumentSession &m_session;
};

// New values for entries, their texts kept in the document's store.
class EditStep final : public DocumentStep {
public:
    EditStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> before,
             std::vector<PlacedEntry> after, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    std::vector<PlacedEntry> m_before;
    std::vector<PlacedEntry> m_after;
};

// Removes entries (removed = true) or restores removed ones.
class RemovedStep final : public DocumentStep {
public:
    RemovedStep(DocumentSession &session, const QString &name, std::vector<std::size_t> indexes, bool removed,
                QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    std::vector<std::size_t> m_indexes;
    bool m_removed;
};

// New entries at their places.
class InsertStep final : public DocumentStep {
public:
    InsertStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> entries,
               QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    std::vector<PlacedEntry> m_entries;
    // Removal records of the entries, while an undo has them out of the table.
    std::vector<DocumentSession::RecordPlace> m_records;
};

// Convert CRCs: holds only the CRCs it changed, found when first made.
class UpperCaseStep final : public DocumentStep {
public:
    explicit UpperCaseStep(DocumentSession &session);
    void undo() override;
    void redo() override;

private:
    std::vector<ChangedCrc> m_changes;
    bool m_made = false;
};
