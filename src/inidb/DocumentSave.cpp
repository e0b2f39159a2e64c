#include "DocumentSave.h"

#include "IniWriter.h"

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

} // namespace

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
