#include "FuzzChecks.h"

#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <algorithm>
#include <vector>

namespace {

IniDocument loaded(std::string_view bytes)
{
    ParsedIni parsed = ParseIni(bytes);
    IniDocument doc;
    TakeParsed(doc, parsed);
    return doc;
}

struct Merged {
    std::string bytes;
    IniDocument doc;
    MergeResult result;
};

// Mine's document after the merge as nobody chose.
Merged mergedAsNobodyChose(const IniDocument &base, const IniDocument &mine, const IniDocument &theirs)
{
    const MergeSide baseSide = DocumentSide(base);
    Merged merged{{}, mine, MergeIni(&baseSide, DocumentSide(mine), DocumentSide(theirs))};
    const bool takePreamble = merged.result.preamble && merged.result.preamble->takenByDefault;
    ApplyMergeEdits(merged.doc, EditsForChoices(merged.doc, merged.result, DefaultChoices(merged.result), takePreamble));
    merged.bytes = SerializeIni(merged.doc, ReadInOrder(merged.doc));
    return merged;
}

std::string savedBytes(const IniDocument &doc)
{
    return SerializeIni(doc, ReadInOrder(doc));
}

// The document's blocks as written, sorted: the entries whatever their order.
std::vector<std::string> sortedBlocks(const IniDocument &doc)
{
    std::vector<std::string> blocks;
    for (const std::size_t index : ReadInOrder(doc))
        WriteIniEntry(blocks.emplace_back(), doc.EntryTable[index]);
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

bool anyConflict(const MergeResult &result)
{
    return (result.preamble && result.preamble->conflict)
        || std::any_of(result.changes.begin(), result.changes.end(),
                       [](const MergeChange &change) { return change.kind == MergeChangeKind::Conflict; });
}

// A conflicting field holds two different values, each another than the base's (an
// empty base may be a ROM the base lacks). A text mine's file cannot hold is a conflict
// whoever changed it.
std::string checkConflictsDiffer(const MergeResult &result)
{
    for (const MergeChange &change : result.changes) {
        for (const FieldConflict &conflict : change.conflicts) {
            const bool baseMatches = !conflict.base.empty() && (conflict.base == conflict.mine
                                                                || conflict.base == conflict.theirs);
            if (!conflict.theirsUnencodable && (conflict.mine == conflict.theirs || baseMatches))
                return "a conflict in " + std::string(MergeFieldName(conflict.field)) + " that only one side changed";
        }
    }
    return {};
}

} // namespace

std::string CheckMerge(std::string_view bytes)
{
    // Base, mine and theirs, cut at NUL bytes; a missing file is empty.
    std::string_view files[3];
    for (std::string_view &file : files) {
        const std::size_t end = std::min(bytes.find('\0'), bytes.size());
        file = bytes.substr(0, end);
        bytes.remove_prefix(std::min(bytes.size(), end + 1));
    }
    const IniDocument base = loaded(files[0]);
    const IniDocument mine = loaded(files[1]);
    const IniDocument theirs = loaded(files[2]);

    const Merged all = mergedAsNobodyChose(mine, mine, mine);
    if (all.bytes != savedBytes(mine) || !all.result.changes.empty() || all.result.preamble)
        return "merging a file with itself changed something";
    const Merged mineOnly = mergedAsNobodyChose(base, mine, base);
    if (mineOnly.bytes != savedBytes(mine))
        return "a merge where theirs is the base does not give mine";
    if (anyConflict(mineOnly.result))
        return "a conflict where only mine changed";
    const Merged theirsOnly = mergedAsNobodyChose(base, base, theirs);
    if (anyConflict(theirsOnly.result) && theirs.Encoding == base.Encoding)
        return "a conflict where only theirs changed";
    // In one encoding theirs' entries arrive as they are, placed among the base's.
    if (theirs.Encoding == base.Encoding
        && (theirsOnly.doc.Preamble != theirs.Preamble || sortedBlocks(theirsOnly.doc) != sortedBlocks(theirs)))
        return "a merge where mine is the base does not give theirs' entries";
    return checkConflictsDiffer(mergedAsNobodyChose(base, mine, theirs).result);
}
