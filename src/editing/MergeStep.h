#pragma once

#include "DocumentSteps.h"
#include "inidb/IniMerge.h"

#include <string>
#include <vector>

// The chosen result of a merge, taken back and made again as a whole: new values,
// removals, new entries and the file's head.
class MergeStep final : public DocumentStep {
public:
    // before holds the replaced entries' values as they are now.
    MergeStep(DocumentSession &session, const QString &name, std::vector<PlacedEntry> before, std::string preambleBefore,
              MergeEdits edits);
    void undo() override;
    void redo() override;

private:
    std::vector<PlacedEntry> m_before;
    std::string m_preambleBefore;
    MergeEdits m_edits;
    // Removals of the new entries made since, kept while the merge is undone.
    std::vector<DocumentSession::RecordPlace> m_records;
};
