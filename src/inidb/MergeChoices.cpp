#include "IniMerge.h"

#include "MergeFields.h"

#include <algorithm>

namespace {

// Mine's entry with what the choice takes of a change of its fields.
RomEntry chosenEntry(const RomEntry &mine, const MergeChange &change, const MergeChoice &choice)
{
    RomEntry chosen = mine;
    if (choice.take)
        for (const MergeField field : change.changedThere)
            CopyField(chosen, change.theirs, field);
    for (std::size_t index = 0; index < change.conflicts.size(); ++index) {
        const FieldConflict &conflict = change.conflicts[index];
        if (index < choice.takeField.size() && choice.takeField[index] && !conflict.theirsUnencodable)
            CopyField(chosen, change.theirs, conflict.field);
    }
    return chosen;
}

bool removesMine(const MergeChange &change)
{
    return change.kind == MergeChangeKind::RemovedThere || change.removedOn == RemovedOn::Theirs;
}

} // namespace

std::vector<MergeChoice> DefaultChoices(const MergeResult &result)
{
    std::vector<MergeChoice> choices;
    choices.reserve(result.changes.size());
    for (const MergeChange &change : result.changes)
        choices.push_back({change.takenByDefault, std::vector<bool>(change.conflicts.size(), false)});
    return choices;
}

MergeEdits EditsForChoices(IniDocument &mine, const MergeResult &result, std::span<const MergeChoice> choices,
                           bool takePreamble)
{
    MergeEdits edits;
    for (std::size_t index = 0; index < result.changes.size() && index < choices.size(); ++index) {
        const MergeChange &change = result.changes[index];
        const MergeChoice &choice = choices[index];
        if (!change.mineIndex) {
            if (choice.take && !change.crcUnencodable)
                edits.inserted.push_back({change.insertBefore, WithTextsKept(mine, change.theirs)});
        } else if (removesMine(change)) {
            if (choice.take)
                edits.removed.push_back(*change.mineIndex);
        } else {
            const RomEntry &current = mine.EntryTable[*change.mineIndex];
            const RomEntry chosen = chosenEntry(current, change, choice);
            if (!(chosen == current))
                edits.replaced.push_back({*change.mineIndex, WithTextsKept(mine, chosen, current)});
        }
    }
    const auto byIndex = [](const PlacedEntry &a, const PlacedEntry &b) { return a.index < b.index; };
    std::sort(edits.replaced.begin(), edits.replaced.end(), byIndex);
    std::sort(edits.removed.begin(), edits.removed.end());
    // Each insert before an old index lands after the inserts before it.
    std::stable_sort(edits.inserted.begin(), edits.inserted.end(), byIndex);
    for (std::size_t k = 0; k < edits.inserted.size(); ++k)
        edits.inserted[k].index += k;
    if (takePreamble && result.preamble && !result.preamble->theirsUnencodable)
        edits.preamble = result.preamble->theirs;
    return edits;
}

MergeEdits DefaultEdits(IniDocument &mine, const MergeResult &result)
{
    return EditsForChoices(mine, result, DefaultChoices(result), result.preamble && result.preamble->takenByDefault);
}

void ApplyMergeEdits(IniDocument &doc, const MergeEdits &edits)
{
    ReplaceEntries(doc, edits.replaced);
    SetRemoved(doc, edits.removed, true);
    InsertEntries(doc, edits.inserted);
    if (edits.preamble)
        doc.Preamble = *edits.preamble;
}
