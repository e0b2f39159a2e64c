#pragma once

#include "IniDocument.h"

#include <cstddef>
#include <span>
#include <vector>

// The changes a document takes, as plain steps each with its exact opposite, so a history
// can take them back and make them again. Table places are 0-based indexes; where a step
// takes several, they are given in ascending order.

// An entry together with the table place it has, gets or had.
struct PlacedEntry {
    std::size_t index = 0;
    RomEntry entry;
};

// The places of the entries, in their order.
std::vector<std::size_t> PlacesOf(std::span<const PlacedEntry> entries);

// Those of indexes that are in the table with the given removed flag, in their order.
std::vector<std::size_t> FlaggedRemoved(const IniDocument &doc, std::span<const std::size_t> indexes, bool removed);

// Whether the record's entry is in the table of this load and still removed, so that
// restoring it would bring it back.
bool CanRestore(const IniDocument &doc, const UndoRecord &record);

// Where an entry that stood at an old index before an insert at newPlaces stands after it.
class PlaceAfterInsert final {
public:
    explicit PlaceAfterInsert(std::span<const std::size_t> newPlaces);
    std::size_t operator()(std::size_t oldIndex) const;

private:
    // The k-th new place p takes the old index p - k.
    std::vector<std::size_t> m_takenOldIndexes;
};

// Where an entry not erased stands after the entries at erased left the table.
std::size_t PlaceAfterErase(std::span<const std::size_t> erased, std::size_t oldIndex);

// A CRC that Convert CRCs changed: where, and its text before and after. Both texts live
// in the document's store, so taking the change back or making it again copies no text.
struct ChangedCrc {
    std::size_t index = 0;
    StoredText before;
    StoredText after;
};

// values with every text that differs from unchanged's kept in doc.Texts, so it lives as
// long as the document; texts equal to unchanged's stay where those are.
RomEntry WithTextsKept(IniDocument &doc, const RomEntry &values, const RomEntry &unchanged = {});

// Gives each placed entry's values to the entry at its place (texts already kept in
// doc.Texts).
void ReplaceEntries(IniDocument &doc, std::span<const PlacedEntry> values);

// Flags the entries removed, or clears the flag: the entry stays in the table either way.
void SetRemoved(IniDocument &doc, std::span<const std::size_t> indexes, bool removed);

// Puts the entries into the table so that each ends up at its place (texts already kept
// in doc.Texts). Entries behind them move up; so do their undo records.
void InsertEntries(IniDocument &doc, std::span<const PlacedEntry> entries);

// Takes the entries out of the table and returns them with their places, so that
// InsertEntries puts them back. Undo records of erased entries can no longer restore.
std::vector<PlacedEntry> EraseEntries(IniDocument &doc, std::span<const std::size_t> indexes);

// Upper-cases the CRC of every entry, removed ones too, and returns only the CRCs that
// changed. Only the bytes a-z change, so text in any single-byte code page survives.
std::vector<ChangedCrc> UpperCaseCRCs(IniDocument &doc);
// True when UpperCaseCRCs would change a CRC.
bool AnyLowerCaseCrc(const IniDocument &doc);
// Sets the changed CRCs to their text after the change, or back to the one before.
void SetCrcs(IniDocument &doc, std::span<const ChangedCrc> changes, bool after);
