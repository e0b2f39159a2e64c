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

std::string savedBytes(const IniDocument &doc)
{
    return SerializeIni(doc, ReadInOrder(doc));
}

// Mine after the merge as nobody chose; result tells what the merge offered.
IniDocument mergedAsNobodyChose(const IniDocument &base, IniDocument mine, const IniDocument &theirs,
                                MergeResult &result)
{
    const MergeSide baseSide = DocumentSide(base);
    result = MergeIni(&baseSide, DocumentSide(mine), DocumentSide(theirs));
    ApplyMergeEdits(mine, DefaultEdits(mine, result));
    return mine;
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
// whoever changed it; a base value mine's cannot hold is its own file's bytes, which may
// equal another text's bytes in mine's.
std::string checkConflictsDiffer(const MergeResult &result)
{
    for (const MergeChange &change : result.changes) {
        for (const FieldConflict &conflict : change.conflicts) {
            const bool baseMatches = !conflict.baseUnencodable && !conflict.base.empty()
                                     && (conflict.base == conflict.mine || conflict.base == conflict.theirs);
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

    MergeResult result;
    const IniDocument all = mergedAsNobodyChose(mine, mine, mine, result);
    if (savedBytes(all) != savedBytes(mine) || !result.empty())
        return "merging a file with itself changed something";
    const IniDocument mineOnly = mergedAsNobodyChose(base, mine, base, result);
    if (savedBytes(mineOnly) != savedBytes(mine))
        return "a merge where theirs is the base does not give mine";
    if (anyConflict(result))
        return "a conflict where only mine changed";
    const IniDocument theirsOnly = mergedAsNobodyChose(base, base, theirs, result);
    // In one encoding theirs' entries arrive as they are, placed among the base's.
    if (theirs.Encoding == base.Encoding) {
        if (anyConflict(result))
            return "a conflict where only theirs changed";
        if (theirsOnly.Preamble != theirs.Preamble || sortedBlocks(theirsOnly) != sortedBlocks(theirs))
            return "a merge where mine is the base does not give theirs' entries";
    }
    mergedAsNobodyChose(base, mine, theirs, result);
    return checkConflictsDiffer(result);
}
