#include "EntryLookup.h"

std::optional<std::size_t> FindEntryByCRC(const IniDocument &doc, std::string_view crc)
{
    for (std::size_t i = 0; i < doc.EntryTable.size(); ++i) {
        if (doc.EntryTable[i].CRC == crc)
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindEntryByNameAndCountry(const IniDocument &doc, std::string_view name,
                                                     std::string_view code)
{
    for (std::size_t i = 0; i < doc.EntryTable.size(); ++i) {
        const RomEntry &entry = doc.EntryTable[i];
        if (entry.Name == name && std::string_view(entry.CRC).ends_with(code))
            return i;
    }
    return std::nullopt;
}
