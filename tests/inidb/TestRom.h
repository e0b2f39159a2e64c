#pragma once

#include "inidb/RomEntry.h"

#include <string>

// An entry with the texts a test cares about; every setting at its default.
inline RomEntry Rom(std::string name, std::string crc, std::string comment = {})
{
    RomEntry entry;
    entry.Name = std::move(name);
    entry.CRC = std::move(crc);
    entry.Comment = std::move(comment);
    return entry;
}
