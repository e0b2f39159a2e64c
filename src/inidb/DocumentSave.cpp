#include "DocumentSave.h"

#include "DocumentEdits.h"
#include "IniWriter.h"

#include <algorithm>
#include <utility>

namespace {

bool readsBackAsTable(const IniDocument &doc, const IniDocument &readBack)
{
    if (readBack.Preamble != doc.Preamble)
        return false;
    std::size_t next = 0;
    for (const RomEntry &entry : doc.EntryTable) {
        if (entry.Removed)
            continue;
        if (next == readBack.EntryTable.size() || !(readBack.EntryTable[next] == entry))
            return false;
        ++next;
    }
    return next == readBack.EntryTable.size();
}

// Marks the removals the file just written lacks; an entry restored before the save is
// back in the file.
void markSavedRemovals(IniDocument &doc)
{
    for (UndoRecord &record : doc.UndoList)
        if (record.loadGeneration == doc.LoadGeneration && record.entryIndex < doc.EntryTable.size())
            record.saved = doc.EntryTable[record.entryIndex].Removed;
}

} // namespace

std::vector<std::size_t> SavedRemovals(const IniDocument &doc)
{
    std::vector<std::size_t> removals;
    for (const UndoRecord &record : doc.UndoList)
        if (record.saved && CanRestore(doc, record))
            removals.push_back(record.entryIndex);
    std::sort(removals.begin(), removals.end());
    removals.erase(std::unique(removals.begin(), removals.end()), removals.end());
    return removals;
}

DocumentSaveResult SaveDocument(IniDocument &doc, const std::string &path,
                                std::span<const std::size_t> displayedOrder, FileSystem &fs)
{
    DocumentSaveResult result;
    const IoValue<DiskSnapshot> write = WriteIniFile(doc, path, displayedOrder, fs);
    result.status = write.status;
    if (!result.status.ok())
        return result;
    result.written = write.value;
    doc.IniPath = path;
    IniDocument readBack;
    readBack.IniPath = path;
    result.readBack = LoadIniFile(readBack, fs);
    result.tableKept = !result.readBack.status.ok() || readsBackAsTable(doc, readBack);
    markSavedRemovals(doc);
    if (!result.tableKept) {
        // Every text was just written in the document's encoding; guessing again could
        // read an all-ASCII Windows-1252 file that now holds "\xC3\xA9" as UTF-8.
        doc.EntryTable = std::move(readBack.EntryTable);
        doc.Texts = std::move(readBack.Texts);
        doc.Preamble = std::move(readBack.Preamble);
        ++doc.LoadGeneration;
    }
    return result;
}
