#include "MergeCommand.h"

#include "TerminalText.h"
#include "inidb/FileSystem.h"
#include "inidb/IniMerge.h"
#include "inidb/IniWriter.h"
#include "inidb/SafeFile.h"
#include "inidb/SameFile.h"

#include <future>
#include <iostream>

namespace {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string threeValues(std::string_view base, std::string_view mine, std::string_view theirs)
{
    return "base " + quoted(base) + ", mine " + quoted(mine) + ", theirs " + quoted(theirs);
}

// The lines a change prints: one per conflicting field, or one for a ROM one side
// removed and the other changed.
std::vector<std::string> conflictLines(const MergeChange &change, TextEncoding encoding)
{
    const std::string rom = "{" + std::string(change.theirs.CRC) + "} " + std::string(change.theirs.Name) + ": ";
    std::vector<std::string> lines;
    if (change.crcUnencodable)
        lines.push_back(rom + "its CRC cannot be written in " + std::string(TextEncodingName(encoding)) + "; left out");
    if (change.removedOn == RemovedOn::Theirs)
        lines.push_back(rom + "removed in theirs, changed in mine; mine kept");
    if (change.removedOn == RemovedOn::Mine) {
        std::string fields;
        for (const MergeField field : change.changedThere)
            fields += (fields.empty() ? "" : ", ") + std::string(MergeFieldName(field));
        lines.push_back(rom + "removed in mine, changed in theirs (" + fields + "); left out");
    }
    for (const FieldConflict &conflict : change.conflicts) {
        std::string line = rom + std::string(MergeFieldName(conflict.field)) + ": "
                           + threeValues(conflict.base, conflict.mine, conflict.theirs);
        if (conflict.theirsUnencodable)
            line += "; theirs cannot be written in " + std::string(TextEncodingName(encoding)) + ", mine kept";
        lines.push_back(std::move(line));
    }
    return lines;
}

// Prints every conflict and gives how many there are.
std::size_t printConflicts(const MergeResult &result, TextEncoding encoding)
{
    std::size_t count = 0;
    for (const MergeChange &change : result.changes) {
        if (change.kind != MergeChangeKind::Conflict)
            continue;
        for (const std::string &line : conflictLines(change, encoding))
            std::cout << ForTerminal(line) << "\n";
        ++count;
    }
    if (result.preamble && result.preamble->conflict) {
        const PreambleMerge &head = *result.preamble;
        std::cout << ForTerminal("Head: " + threeValues(head.base, head.mine, head.theirs)) << "\n";
        ++count;
    }
    return count;
}

} // namespace

std::optional<MergeArguments> ParseMergeArguments(const std::vector<std::string> &args)
{
    std::vector<std::string> files;
    std::optional<std::string> out;
    for (std::size_t at = 1; at < args.size(); ++at) {
        if (args[at] == "-o") {
            if (out || at + 1 == args.size())
                return std::nullopt;
            out = args[++at];
        } else if (args[at].size() > 1 && args[at][0] == '-') {
            // An unknown option is a slip, not a file name (such a file is ./-name).
            return std::nullopt;
        } else {
            files.push_back(args[at]);
        }
    }
    if (files.size() != 3)
        return std::nullopt;
    return MergeArguments{files[0], files[1], files[2], out.value_or(files[1])};
}

Exit RunMerge(const MergeArguments &arguments)
{
    IniDocument docs[3];
    const std::string *paths[3] = {&arguments.base, &arguments.mine, &arguments.theirs};
    // The three files are read side by side: reading is most of a merge's time.
    std::future<LoadResult> loads[3];
    for (int which = 0; which < 3; ++which) {
        docs[which].IniPath = *paths[which];
        loads[which] = std::async(std::launch::async, [&doc = docs[which]] { return LoadIniFile(doc); });
    }
    for (int which = 0; which < 3; ++which) {
        const LoadResult loaded = loads[which].get();
        if (!loaded.status.ok())
            return Failure(Exit::CannotOpen, loaded.status);
        // Listed only: the reader keeps such lines as written, so the merge loses none.
        ListProblems(std::cerr, *paths[which], loaded.problems);
    }
    IniDocument &mine = docs[1];
    const MergeSide base = DocumentSide(docs[0]);
    const MergeResult result = MergeIni(&base, DocumentSide(mine), DocumentSide(docs[2]));
    const std::size_t conflicts = printConflicts(result, mine.Encoding);
    const MergeEdits edits = DefaultEdits(mine, result);
    IoStatus written;
    if (!edits.empty()) {
        ApplyMergeEdits(mine, edits);
        mine.SaveType = static_cast<std::int16_t>(SaveOrder::ReadIn);
        written = WriteIniFile(mine, arguments.out, {}, DefaultFileSystem()).status;
    } else if (!IsSameFile(arguments.mine, arguments.out)) {
        // Nothing to bring in: the result is mine byte for byte, in whatever form it was written.
        written = CopyFileOver(DefaultFileSystem(), arguments.mine, arguments.out);
    }
    if (!written.ok())
        return Failure(Exit::CannotWrite, written);
    return conflicts > 0 ? Exit::Conflicts : Exit::Clean;
}
