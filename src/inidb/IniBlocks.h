#pragma once

#include "DocumentEdits.h"
#include "IniDocument.h"
#include "IniReader.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The blocks of the entries at indexes, in that order, byte for byte as a save writes them.
std::string IniBlocksText(const IniDocument &doc, std::span<const std::size_t> indexes);

// Blocks read from text in the file's encoding, sorted by what they do to a document.
struct PastedBlocks {
    // What the reader made of the text; the entries below keep their texts in parsed.texts.
    ParsedIni parsed;
    // Blocks whose CRC no entry has, in the order read.
    std::vector<RomEntry> added;
    // Blocks whose CRC an entry has, by that entry's place (ascending), with the entry's
    // CRC and Removed flag; blocks that would change nothing are left out.
    std::vector<PlacedEntry> replacing;
    // Blocks without a CRC: nothing to tell them by, so they are left out.
    std::size_t withoutCrc = 0;
};

// Reads bytes as the loader reads a file. Of two blocks with one CRC the later one counts,
// as if each were pasted in turn. A CRC several entries share is the first shown one's, or
// the first removed one's when none is shown.
PastedBlocks ReadPastedBlocks(const IniDocument &doc, std::string_view bytes);
