#pragma once

#include "RomEntry.h"
#include "TextEncoding.h"
#include "TextStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A removal the user can take back: the entry's name and CRC as they were, plus where
// the entry stood in the table of the load it was removed from.
struct UndoRecord {
    std::string Name;
    std::string CRC;
    std::size_t entryIndex = 0;
    std::uint64_t loadGeneration = 0;
    // A save has left the entry out of the file since; the history can still restore it.
    bool saved = false;
};

enum class SaveOrder : std::int16_t { ReadIn = 0, Displayed = 1 };

// Everything the editor knows about the open file, for the whole run.
struct IniDocument {
    // The file's entries in read-in order (0-based here; block n of the file is element n-1).
    RomTable EntryTable;
    // The texts of EntryTable. A load replaces it together with the table; an edit keeps
    // its new text here (Texts.keep) and points the field at it.
    TextStore Texts;
    // How the texts of the open file read as characters; decided by every load.
    TextEncoding Encoding = TextEncoding::Windows1252;
    // The kept comment and empty lines of the head, each ending in CR LF.
    std::string Preamble;
    // Full path of the open ini file; empty until one is chosen.
    std::string IniPath;
    // 0 saves in read-in order, 1 in the order the list shows; anything else reads as 0.
    std::int16_t SaveType = 0;
    // One record per removal, oldest first; never shortened. UndoCount is its size.
    std::vector<UndoRecord> UndoList;
    // 1 opens IniPath at start-up.
    std::int16_t AutoOpen = 1;
    // Outcome of the last printer choice: true when the user cancelled it.
    bool PrintCancelled = false;
    // Raised by every load, so an undo record can tell whether its entry is still in the table.
    std::uint64_t LoadGeneration = 0;

    std::size_t UndoCount() const { return UndoList.size(); }
};
