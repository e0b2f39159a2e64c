#include "DocumentSteps.h"

#include "DocumentSession.h"

DocumentStep::DocumentStep(DocumentSession &session, const QString &name) : m_session(session)
{
    setText(name);
}

void DocumentStep::replace(std::span<const PlacedEntry> values)
{
    m_session.replace(values);
}

void DocumentStep::setRemoved(const std::vector<std::size_t> &indexes, bool removed)
{
    m_session.setRemoved(indexes, removed);
}

void DocumentStep::insert(std::span<const PlacedEntry> entries)
{
    m_session.insert(entries);
}

std::vector<PlacedEntry> DocumentStep::erase(const std::vector<std::size_t> &indexes)
{
    return m_session.erase(indexes);
}

std::vector<ChangedCrc> DocumentStep::upperCase()
{
    return m_session.upperCase();
}

void DocumentStep::setCrcs(std::span<const ChangedCrc> changes, bool after)
{
    m_session.setCrcs(changes, after);
}

EditStep::EditStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> before,
                   std::vector<PlacedEntry> after)
    : DocumentStep(session, name), m_before(std::move(before)), m_after(std::move(after))
{
}

RemovedStep::RemovedStep(DocumentSession &session, const QString &name, std::vector<std::size_t> indexes,
                         bool removed)
    : DocumentStep(session, name), m_indexes(std::move(indexes)), m_removed(removed)
{
}

InsertStep::InsertStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> entries)
    : DocumentStep(session, name), m_entries(std::move(entries))
{
}

void InsertStep::undo()
{
    std::vector<std::size_t> places;
    places.reserve(m_entries.size());
    for (const PlacedEntry &placed : m_entries)
        places.push_back(placed.index);
    erase(places);
}

UpperCaseStep::UpperCaseStep(DocumentSession &session) : DocumentStep(session, QStringLiteral("Convert CRCs")) {}

void UpperCaseStep::redo()
{
    if (m_made) {
        setCrcs(m_changes, true);
        return;
    }
    m_changes = upperCase();
    m_changes.shrink_to_fit();
    m_made = true;
}
