#pragma once

#include "inidb/RomEntry.h"

// An entry with the texts a test cares about; every setting at its default. The texts
// are literals, which outlive every entry that views them.
inline RomEntry Rom(const char *name, const char *crc, const char *comment = "")
{
    RomEntry entry;
    entry.Name = name;
    entry.CRC = crc;
    entry.Comment = comment;
    return entry;
}
