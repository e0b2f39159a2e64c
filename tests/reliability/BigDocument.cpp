#include "BigDocument.h"

#include <cstdio>
#include <string>

IniDocument BigDocument(std::string_view tag, std::size_t entries)
{
    IniDocument doc;
    doc.Preamble = "// " + std::string(tag) + "\r\n\r\n";
    doc.EntryTable.resize(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        RomEntry &entry = doc.EntryTable[i];
        char crc[24];
        std::snprintf(crc, sizeof crc, "%08zX-%02zX", i * 2654435761u % 0xFFFFFFFFu, i % 0x60);
        entry.CRC = doc.Texts.keep(crc);
        entry.Name = doc.Texts.keep(std::string(tag) + " ROM " + std::to_string(i));
        entry.Info = doc.Texts.keep(std::string(tag) + " info");
        entry.UCode = static_cast<std::int16_t>(i % 8);
        entry.ScaleFactor = static_cast<std::int16_t>(1 + i % 3);
    }
    return doc;
}
