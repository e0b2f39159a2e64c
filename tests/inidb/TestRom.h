#pragma once

#include "inidb/RomEntry.h"
#include "TestText.h"

// An entry with the texts a test cares about; every setting at its default.
inline RomEntry Rom(const char *name, const char *crc, const char *comment = "")
{
    RomEntry entry;
    entry.Name = Text(name);
    entry.CRC = Text(crc);
    entry.Comment = Text(comment);
    return entry;
}
