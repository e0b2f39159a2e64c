#include "KeptSelection.h"

#include "inidb/IniDocument.h"

#include <map>
#include <string_view>

void KeptSelection::keep(std::vector<std::size_t> entries, std::optional<std::size_t> current)
{
    if (m_named)
        return;
    m_entries = std::move(entries);
    m_current = current;
}

void KeptSelection::keepNames(const IniDocument &doc)
{
    std::vector<Named> named;
    named.reserve(m_entries.size() + 1);
    const auto add = [&](std::size_t entry, bool current) {
        if (entry < doc.EntryTable.size())
            named.push_back(
                {entry, std::string(doc.EntryTable[entry].Name), std::string(doc.EntryTable[entry].CRC), current});
    };
    for (const std::size_t entry : m_entries)
        add(entry, false);
    if (m_current)
        add(*m_current, true);
    m_named = std::move(named);
}

void KeptSelection::forgetNames()
{
    m_named.reset();
}

KeptSelection::Found KeptSelection::find(const IniDocument &doc) const
{
    Found found;
    if (!m_named) {
        for (const std::size_t entry : m_entries)
            if (entry < doc.EntryTable.size())
                found.entries.push_back(entry);
        if (m_current && *m_current < doc.EntryTable.size())
            found.current = m_current;
        return found;
    }
    // The same place when it still holds the same ROM, else the first entry of that
    // name and CRC.
    std::map<std::pair<std::string_view, std::string_view>, std::size_t> firstOf;
    const auto lookUp = [&](const Named &named) -> std::optional<std::size_t> {
        const RomTable &table = doc.EntryTable;
        if (named.entryIndex < table.size() && table[named.entryIndex].Name == named.name
            && table[named.entryIndex].CRC == named.crc)
            return named.entryIndex;
        if (firstOf.empty())
            for (std::size_t entry = table.size(); entry-- > 0;)
                firstOf[{table[entry].Name, table[entry].CRC}] = entry;
        const auto it = firstOf.find({named.name, named.crc});
        return it == firstOf.end() ? std::nullopt : std::optional<std::size_t>(it->second);
    };
    for (const Named &named : *m_named) {
        const std::optional<std::size_t> entry = lookUp(named);
        if (entry && named.current)
            found.current = entry;
        else if (entry)
            found.entries.push_back(*entry);
    }
    return found;
}
