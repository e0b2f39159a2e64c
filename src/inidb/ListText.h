#pragma once

#include "RomEntry.h"

#include <cstdint>
#include <string>
#include <string_view>

// The texts the ROM list shows for an entry; the compatibility report and the
// properties dialog's row refresh use the same rules.

struct CountryInfo {
    const char *listText; // e.g. "J (Japan)"
    const char *imageKey; // key in ImagelistSmall, e.g. "Jap"
};

// The last two characters of crc (the whole text when shorter), upper-cased.
std::string CountryCode(std::string_view crc);
// The list's country table; unknown codes give "???" / "???".
CountryInfo CountryTable(std::string_view code);
std::string UCodeName(std::int16_t ucode);
// "5 (Default UCode)"
std::string UCodeCellText(std::int16_t ucode);
// The entry's non-default settings, comma-separated, or "Default".
std::string ExtraSettingsSummary(const RomEntry &entry);
// An empty text shows as one blank.
std::string ListCellText(std::string_view text);
