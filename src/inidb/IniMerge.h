#pragma once

#include "DocumentEdits.h"
#include "IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A three-way merge of velmoran.ini files: what "theirs" changed since the base is
// brought into "mine", field by field, and what both changed differently is a conflict.
// Without a base every difference is offered, mine kept by default.

// One file taking part: its live entries in file order and its head. The entries' texts
// live wherever the side's table keeps them.
struct MergeSide {
    const RomTable *table = nullptr;
    // The table indexes of the entries the file holds, in file order (for a document:
    // ReadInOrder, so removed entries take no part).
    std::vector<std::size_t> order;
    std::string_view preamble;
    TextEncoding encoding = TextEncoding::Windows1252;
};

// A document's side: the entries a save would write, in read-in order.
MergeSide DocumentSide(const IniDocument &doc);

// The values of a block that merge one by one. UnknownLines is the block's kept lines as
// one value.
enum class MergeField : std::uint8_t {
    Name,
    UCode,
    Comment,
    Info,
    DisableDynarec,
    DisableTextureCRC,
    DisableSpeedSync,
    IncTexRectEdge,
    ScaleFactor,
    ExpansionPak,
    EepromSize,
    DisableEeprom,
    OSRescanCount,
    DisablePatches,
    UnknownLines,
};
inline constexpr std::size_t MergeFieldCount = 15;

// The key as the file writes it ("Info", "EepromSize"); "Other lines" for UnknownLines.
std::string_view MergeFieldName(MergeField field);
// The field's value as the file would write it (texts as their bytes, switches "1"/"0").
std::string MergeFieldText(const RomEntry &entry, MergeField field);

// One field that both sides changed differently, with its three values as written in the
// file (in mine's encoding). base is empty when there is no base or the base lacks the ROM.
struct FieldConflict {
    MergeField field = MergeField::Name;
    std::string base;
    std::string mine;
    std::string theirs;
    // theirs holds a character mine's encoding cannot hold: taking theirs is not offered,
    // and theirs is then theirs' own bytes, as its file holds them.
    bool theirsUnencodable = false;
    // The same for the base: base is then the base's own bytes.
    bool baseUnencodable = false;
};

enum class MergeChangeKind : std::uint8_t {
    NewRom,       // only theirs has it (added there, or no base)
    ChangedThere, // theirs changed fields mine left alone
    Conflict,     // both changed it differently, or one removed what the other changed
    RemovedThere, // theirs removed it, mine left it alone (or, without a base, only mine has it)
};

// Which side removed a ROM the other changed; None for a conflict of fields.
enum class RemovedOn : std::uint8_t { None, Mine, Theirs };

// One difference the user can take (theirs) or leave (mine).
struct MergeChange {
    MergeChangeKind kind = MergeChangeKind::NewRom;
    // The ROM's place in mine's table; empty for NewRom and for a ROM mine removed.
    std::optional<std::size_t> mineIndex;
    // NewRom, and a ROM mine removed but theirs changed: the table index of mine's entry
    // before which it goes (mine's table size for the end), after its neighbours in theirs.
    std::size_t insertBefore = 0;
    // Theirs' entry (mine's for RemovedThere), texts in mine's encoding, kept in
    // MergeResult::texts; for a conflict of fields, the merge with every conflict
    // taken from theirs.
    RomEntry theirs;
    // ChangedThere and Conflict: the fields theirs changed that mine did not (taken with
    // the change).
    std::vector<MergeField> changedThere;
    // Conflict of fields: each field changed differently on both sides.
    std::vector<FieldConflict> conflicts;
    RemovedOn removedOn = RemovedOn::None;
    // A ROM only theirs holds whose CRC mine's encoding cannot hold: a Conflict that is
    // never taken (its CRC is theirs' own bytes).
    bool crcUnencodable = false;
    // What the merge does when nobody chooses: new ROMs and changes theirs made alone are
    // taken (in a conflict of fields: its changedThere fields, so this is set when there
    // are any); conflicts keep mine; without a base only new ROMs are taken. A new ROM with
    // a text mine's encoding cannot hold is a Conflict without mineIndex, taken by default
    // without that text (listed in conflicts).
    bool takenByDefault = false;
};

// The file's head, merged as one value.
struct PreambleMerge {
    std::string base;
    std::string mine;
    std::string theirs;
    bool conflict = false;        // both changed it differently
    bool takenByDefault = false;  // only theirs changed it
    // theirs holds a character mine's encoding cannot hold (and is then theirs' own
    // bytes): taking theirs is not offered.
    bool theirsUnencodable = false;
    // The same for the base, which is then the base's own bytes.
    bool baseUnencodable = false;
};

struct MergeResult {
    // In mine's order, each new ROM among the changes of its neighbours.
    std::vector<MergeChange> changes;
    // Present when theirs' head differs from mine's.
    std::optional<PreambleMerge> preamble;
    // The texts of the changes' entries.
    TextStore texts;
    // Theirs holds nothing to bring in: no change, and the same head.
    bool empty() const { return changes.empty() && !preamble; }
};

// base is null for a two-way merge. Entries match by CRC exactly; a CRC a file holds more
// than once matches by CRC and name, then by order among those.
MergeResult MergeIni(const MergeSide *base, const MergeSide &mine, const MergeSide &theirs);

// The user's answer to one change: take theirs or keep mine, and for a conflict of fields
// which fields to take from theirs (index into MergeChange::conflicts). For a conflict of
// fields take brings the changedThere fields and each takeField its own field, whatever
// take says; a field theirs' text cannot be written in is never taken.
struct MergeChoice {
    bool take = false;
    std::vector<bool> takeField;
};

// The choices nobody made: each change as takenByDefault, every conflicting field mine.
std::vector<MergeChoice> DefaultChoices(const MergeResult &result);

// The edits that bring mine's document to the chosen result, as the history's plain steps
// take them: replaced and removed refer to mine's table before the insert; inserted
// places are those after it. Texts are kept in doc.Texts.
struct MergeEdits {
    std::vector<PlacedEntry> replaced;
    std::vector<std::size_t> removed;
    std::vector<PlacedEntry> inserted;
    std::optional<std::string> preamble;
    bool empty() const { return replaced.empty() && removed.empty() && inserted.empty() && !preamble; }
};
MergeEdits EditsForChoices(IniDocument &mine, const MergeResult &result, std::span<const MergeChoice> choices,
                           bool takePreamble);
// The edits when nobody chooses: DefaultChoices, and theirs' head when only theirs changed it.
MergeEdits DefaultEdits(IniDocument &mine, const MergeResult &result);

// Makes the edits in doc: replaced, then removed flagged, then inserted, then the head.
void ApplyMergeEdits(IniDocument &doc, const MergeEdits &edits);
