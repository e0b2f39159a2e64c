#include "DocumentSteps.h"

#include "DocumentSession.h"

DocumentStep::DocumentStep(DocumentSession &session, const QString &name, QUndoCommand *parent)
    : QUndoCommand(parent), m_session(session)
{
    setText(name);
}

EditStep::EditStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> before,
                   std::vector<PlacedEntry> after, QUndoCommand *parent)
    : DocumentStep(session, name, parent), m_before(std::move(before)), m_after(std::move(after))
{
}

void EditStep::undo()
{
    m_session.replace(m_before);
}

void EditStep::redo()
{
    m_session.replace(m_after);
}

RemovedStep::RemovedStep(DocumentSession &session, const QString &name, std::vector<std::size_t> indexes,
                         bool removed, QUndoCommand *parent)
    : DocumentStep(session, name, parent), m_indexes(std::move(indexes)), m_removed(removed)
{
}

void RemovedStep::undo()
{
    m_session.setRemoved(m_indexes, !m_removed);
}

void RemovedStep::redo()
{
    m_session.setRemoved(m_indexes, m_removed);
}

InsertStep::InsertStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> entries,
                       QUndoCommand *parent)
    : DocumentStep(session, name, parent), m_entries(std::move(entries))
{
}

void InsertStep::undo()
{
    m_records = m_session.erase(PlacesOf(m_entries));
}

void InsertStep::redo()
{
    m_session.insert(m_entries, m_records);
}

UpperCaseStep::UpperCaseStep(DocumentSession &session) : DocumentStep(session, QStringLiteral("Convert CRCs")) {}

void UpperCaseStep::undo()
{
    m_session.setCrcs(m_changes, false);
}

void UpperCaseStep::redo()
{
    if (m_made) {
        m_session.setCrcs(m_changes, true);
        return;
    }
    m_changes = m_session.upperCase();
    m_changes.shrink_to_fit();
    m_made = true;
}
