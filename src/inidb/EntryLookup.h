#pragma once

#include "IniDocument.h"

#include <cstddef>
#include <optional>
#include <string_view>

// Both lookups compare exactly and do not skip removed entries; the first match wins.

// The table index of the first entry whose CRC equals crc.
std::optional<std::size_t> FindEntryByCRC(const IniDocument &doc, std::string_view crc);

// The table index of the first entry whose Name equals name and whose CRC ends with code.
std::optional<std::size_t> FindEntryByNameAndCountry(const IniDocument &doc, std::string_view name,
                                                     std::string_view code);
