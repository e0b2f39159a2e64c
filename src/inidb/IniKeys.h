#pragma once

#include "RomEntry.h"

#include <cstdint>
#include <string_view>

// The known keys of a block and the fields they fill; the reader and the writer share
// them so a key's spelling lives in one place.
namespace IniKeys {

inline constexpr std::string_view Name = "Name";
inline constexpr std::string_view UCode = "UCode";
inline constexpr std::string_view Comment = "Comment";
inline constexpr std::string_view Info = "Info";
inline constexpr std::string_view EepromSize = "EepromSize";
inline constexpr std::string_view OSRescanCount = "OSRescanCount";
inline constexpr std::string_view ScaleFactor = "ScaleFactor";

struct Flag {
    std::string_view key;
    bool RomEntry::*field;
};

// In the order the writer puts them.
inline constexpr Flag Flags[] = {
    {"DisableDynarec", &RomEntry::DisableDynarec},
    {"DisablePatches", &RomEntry::DisablePatches},
    {"DisableTextureCRC", &RomEntry::DisableTextureCRC},
    {"DisableEeprom", &RomEntry::DisableEeprom},
    {"DisableSpeedSync", &RomEntry::DisableSpeedSync},
    {"IncTexRectEdge", &RomEntry::IncTexRectEdge},
    {"ExpansionPak", &RomEntry::ExpansionPak},
};

struct Number {
    std::string_view key;
    std::int16_t RomEntry::*field;
    std::int16_t absentValue; // the value a block without the key has; not written
};

// In the order the writer puts them; UCode is written always and so stands apart.
inline constexpr Number OptionalNumbers[] = {
    {EepromSize, &RomEntry::EepromSize, 2048},
    {OSRescanCount, &RomEntry::OSRescanCount, 0},
    {ScaleFactor, &RomEntry::ScaleFactor, 1},
};

} // namespace IniKeys
