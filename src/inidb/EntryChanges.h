#pragma once

#include "RomEntry.h"
#include "TextStore.h"

#include <cstdint>
#include <optional>

// Values to give to the fields of several entries at once: a field that holds one is set
// to it in every entry, the others keep what each entry has. Name, CRC, the lines of no
// known key and the removed flag are never among them. Texts are kept in texts.
struct EntryChanges {
    TextStore texts;
    std::optional<StoredText> Comment;
    std::optional<StoredText> Info;
    std::optional<bool> DisableDynarec;
    std::optional<bool> DisableTextureCRC;
    std::optional<bool> DisableSpeedSync;
    std::optional<bool> IncTexRectEdge;
    std::optional<bool> ExpansionPak;
    std::optional<bool> DisableEeprom;
    std::optional<bool> DisablePatches;
    std::optional<std::int16_t> UCode;
    std::optional<std::int16_t> ScaleFactor;
    std::optional<std::int16_t> EepromSize;
    std::optional<std::int16_t> OSRescanCount;

    RomEntry appliedTo(RomEntry entry) const;
};
