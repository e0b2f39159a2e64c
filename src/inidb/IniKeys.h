#pragma once

#include "RomEntry.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
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

// The keys whose line gives a field a value, in the order the writer puts them.
inline constexpr std::string_view ValuedKeys[] = {Name, UCode, Comment, Info, EepromSize, OSRescanCount, ScaleFactor};
inline constexpr std::size_t ValuedKeyCount = std::size(ValuedKeys);

// key's place in ValuedKeys.
constexpr std::size_t ValuedKeyIndex(std::string_view key)
{
    std::size_t index = 0;
    while (index < ValuedKeyCount && ValuedKeys[index] != key)
        ++index;
    return index;
}

// Whether the line's key (all before its first "=", or the whole line) is key. A known
// key holds no "=", so this needs no search for one: the line starts with the key and
// then ends or goes on with "=".
inline bool HasKey(std::string_view line, std::string_view key)
{
    return line.size() >= key.size() && std::memcmp(line.data(), key.data(), key.size()) == 0
        && (line.size() == key.size() || line[key.size()] == '=');
}

// What follows the "=" after key; empty when nothing does.
inline std::string_view ValueAfter(std::string_view line, std::string_view key)
{
    return line.size() > key.size() ? line.substr(key.size() + 1) : std::string_view();
}

// A number key's value when it is a whole number in the field's range.
inline std::optional<std::int16_t> NumberValue(std::string_view value)
{
    int number = 0;
    const char *end = value.data() + value.size();
    const auto [ptr, error] = std::from_chars(value.data(), end, number);
    if (error != std::errc() || ptr != end || number < std::numeric_limits<std::int16_t>::min()
        || number > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(number);
}

} // namespace IniKeys
