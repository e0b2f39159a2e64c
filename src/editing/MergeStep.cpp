#include "MergeStep.h"

#include "DocumentSession.h"

MergeStep::MergeStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> before,
                     std::string preambleBefore, MergeEdits edits)
    : DocumentStep(session, name),
      m_before(std::move(before)),
      m_preambleBefore(std::move(preambleBefore)),
      m_edits(std::move(edits))
{
}

// Replaced and removed places are those before the insert, so the insert comes last and
// is the first to be taken back.
void MergeStep::redo()
{
    if (!m_edits.replaced.empty())
        m_session.replace(m_edits.replaced);
    if (!m_edits.removed.empty())
        m_session.setRemoved(m_edits.removed, true);
    if (!m_edits.inserted.empty())
        m_session.insert(m_edits.inserted, m_records);
    if (m_edits.preamble)
        m_session.setPreamble(*m_edits.preamble);
}

void MergeStep::undo()
{
    if (m_edits.preamble)
        m_session.setPreamble(m_preambleBefore);
    if (!m_edits.inserted.empty())
        m_records = m_session.erase(PlacesOf(m_edits.inserted));
    if (!m_edits.removed.empty())
        m_session.setRemoved(m_edits.removed, false);
    if (!m_edits.replaced.empty())
        m_session.replace(m_before);
}
