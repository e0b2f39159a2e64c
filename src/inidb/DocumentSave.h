#pragma once

#include "IniDocument.h"
#include "IniReader.h"
#include "IoStatus.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

class FileSystem;

struct DocumentSaveResult {
    IoStatus status;       // the write itself; on failure nothing on disk or in memory changed
    DiskSnapshot written;  // what the write left on disk
    LoadResult readBack;   // the written file read again
    // True when the table stayed as it was: the file read back as the table shows it, or
    // could not be read back; false when the document took what the file now holds.
    bool tableKept = false;
};

// Writes doc to path in the order doc.SaveType selects (displayedOrder holds the table
// index of every row the list shows), safely, and reads the file back. When it holds
// exactly the entries not removed, in table order, the document stays as it is: removed
// entries keep their place and flag, so a history of changes still applies to it.
// Otherwise (a displayed order that moved blocks, a text that reads back otherwise) the
// document takes the file's table, preamble and texts like a load. doc.IniPath becomes
// path and the text encoding stays the one written.
DocumentSaveResult SaveDocument(IniDocument &doc, const std::string &path,
                                std::span<const std::size_t> displayedOrder, FileSystem &fs);

// The removed entries the file no longer holds because a save left them out, ascending.
std::vector<std::size_t> SavedRemovals(const IniDocument &doc);
