#pragma once

#include "HugePages.h"
#include "TextStore.h"

#include <cstdint>
#include <vector>

// One ROM block of velmoran.ini. The fields keep the record's declaration order;
// the order in which the writer emits their keys is fixed separately (IniWriter).
// Texts are the file's own bytes, byte for byte. They live in the text store of the
// document (or of the load) the entry belongs to; the entry itself owns no text, so a
// text is changed by keeping the new one in that store (TextStore::keep).
struct RomEntry {
    StoredText Name;
    StoredText CRC;
    std::int16_t UCode = 0;
    StoredText Comment;
    StoredText Info;
    bool DisableDynarec = false;
    bool DisableTextureCRC = false;
    bool DisableSpeedSync = false;
    bool IncTexRectEdge = false;
    std::int16_t ScaleFactor = 1;
    bool ExpansionPak = false;
    std::int16_t EepromSize = 2048;
    bool DisableEeprom = false;
    std::int16_t OSRescanCount = 0;
    bool DisablePatches = false;
    // Set when the user removes the entry; never stored in the file.
    bool Removed = false;
    // Lines of the block that are no known key (misspelled keys, "//" lines inside the
    // block, ...), in file order, each ending in CR LF, after the earlier values of keys
    // given twice. The writer puts them back so nothing the user wrote is lost.
    StoredText UnknownLines;

    // Compares the texts, not where they are kept.
    bool operator==(const RomEntry &) const = default;
};

// The entries of a document or a load. A large table is filled in one go, so it lives in
// huge pages where the system offers them.
using RomTable = std::vector<RomEntry, FreshBlockAllocator<RomEntry>>;
