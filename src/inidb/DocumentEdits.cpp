#include "DocumentEdits.h"

#include "AsciiCase.h"

#include <algorithm>
#include <limits>

namespace {

// Marks an undo record whose entry left the table.
constexpr std::size_t NoEntry = std::numeric_limits<std::size_t>::max();

void keepIfChanged(TextStore &texts, StoredText &text, StoredText current)
{
    text = text == current ? current : texts.keep(text);
}

} // namespace

std::vector<std::size_t> PlacesOf(std::span<const PlacedEntry> entries)
{
    std::vector<std::size_t> places;
    places.reserve(entries.size());
    for (const PlacedEntry &placed : entries)
        places.push_back(placed.index);
    return places;
}

std::vector<std::size_t> FlaggedRemoved(const IniDocument &doc, std::span<const std::size_t> indexes, bool removed)
{
    std::vector<std::size_t> flagged;
    for (const std::size_t index : indexes)
        if (index < doc.EntryTable.size() && doc.EntryTable[index].Removed == removed)
            flagged.push_back(index);
    return flagged;
}

bool CanRestore(const IniDocument &doc, const UndoRecord &record)
{
    return record.loadGeneration == doc.LoadGeneration && record.entryIndex < doc.EntryTable.size()
           && doc.EntryTable[record.entryIndex].Removed;
}

RomEntry WithTextsKept(IniDocument &doc, const RomEntry &values, const RomEntry &current)
{
    RomEntry kept = values;
    keepIfChanged(doc.Texts, kept.Name, current.Name);
    keepIfChanged(doc.Texts, kept.CRC, current.CRC);
    keepIfChanged(doc.Texts, kept.Comment, current.Comment);
    keepIfChanged(doc.Texts, kept.Info, current.Info);
    keepIfChanged(doc.Texts, kept.UnknownLines, current.UnknownLines);
    return kept;
}

void ReplaceEntries(IniDocument &doc, std::span<const PlacedEntry> values)
{
    for (const PlacedEntry &value : values)
        doc.EntryTable[value.index] = value.entry;
}

void SetRemoved(IniDocument &doc, std::span<const std::size_t> indexes, bool removed)
{
    for (const std::size_t index : indexes)
        doc.EntryTable[index].Removed = removed;
}

void InsertEntries(IniDocument &doc, std::span<const PlacedEntry> entries)
{
    // In place, from the back: a loaded table has room to spare, so a large table takes
    // a few inserts without a copy of itself.
    RomTable &table = doc.EntryTable;
    std::size_t old = table.size();
    table.resize(old + entries.size());
    std::size_t place = table.size();
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        while (place > entry->index + 1)
            table[--place] = table[--old];
        table[--place] = entry->entry;
    }
    const PlaceAfterInsert moved(PlacesOf(entries));
    for (UndoRecord &record : doc.UndoList)
        if (record.entryIndex != NoEntry)
            record.entryIndex = moved(record.entryIndex);
}

std::vector<PlacedEntry> EraseEntries(IniDocument &doc, std::span<const std::size_t> indexes)
{
    std::vector<PlacedEntry> erased;
    erased.reserve(indexes.size());
    RomTable table;
    table.reserve(doc.EntryTable.size() - indexes.size());
    auto next = indexes.begin();
    for (std::size_t index = 0; index < doc.EntryTable.size(); ++index) {
        if (next != indexes.end() && *next == index) {
            erased.push_back({index, doc.EntryTable[index]});
            ++next;
        } else {
            table.push_back(doc.EntryTable[index]);
        }
    }
    doc.EntryTable = std::move(table);
    for (UndoRecord &record : doc.UndoList) {
        if (record.entryIndex == NoEntry)
            continue;
        record.entryIndex = std::binary_search(indexes.begin(), indexes.end(), record.entryIndex)
                                ? NoEntry
                                : PlaceAfterErase(indexes, record.entryIndex);
    }
    return erased;
}

PlaceAfterInsert::PlaceAfterInsert(std::span<const std::size_t> newPlaces)
{
    m_takenOldIndexes.reserve(newPlaces.size());
    for (std::size_t k = 0; k < newPlaces.size(); ++k)
        m_takenOldIndexes.push_back(newPlaces[k] - k);
}

std::size_t PlaceAfterInsert::operator()(std::size_t oldIndex) const
{
    // Moved up by every new place that took an old index at or before this one.
    return oldIndex + static_cast<std::size_t>(
               std::upper_bound(m_takenOldIndexes.begin(), m_takenOldIndexes.end(), oldIndex)
               - m_takenOldIndexes.begin());
}

std::size_t PlaceAfterErase(std::span<const std::size_t> erased, std::size_t oldIndex)
{
    return oldIndex - static_cast<std::size_t>(std::lower_bound(erased.begin(), erased.end(), oldIndex) - erased.begin());
}

std::vector<ChangedCrc> UpperCaseCRCs(IniDocument &doc)
{
    std::vector<ChangedCrc> changes;
    for (std::size_t index = 0; index < doc.EntryTable.size(); ++index) {
        RomEntry &entry = doc.EntryTable[index];
        const std::string upper = UpperCasedAscii(entry.CRC);
        if (upper == entry.CRC)
            continue;
        const StoredText before = entry.CRC;
        entry.CRC = doc.Texts.keep(upper);
        changes.push_back({index, before, entry.CRC});
    }
    return changes;
}

bool AnyLowerCaseCrc(const IniDocument &doc)
{
    return std::any_of(doc.EntryTable.begin(), doc.EntryTable.end(), [](const RomEntry &entry) {
        const std::string_view crc = entry.CRC;
        return std::any_of(crc.begin(), crc.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    });
}

void SetCrcs(IniDocument &doc, std::span<const ChangedCrc> changes, bool after)
{
    for (const ChangedCrc &change : changes)
        doc.EntryTable[change.index].CRC = after ? change.after : change.before;
}
