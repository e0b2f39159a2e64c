#pragma once

#include "inidb/DocumentEdits.h"
#include "inidb/EntryChanges.h"
#include "inidb/RomEntry.h"
#include "inidb/TextEncoding.h"
#include "inidb/TextStore.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QWidget;
class UserInterface;
struct IniDocument;

// What OK in the properties dialog gave: the entry's values, with the texts the user
// changed kept in texts.
struct EditedEntry {
    TextStore texts;
    RomEntry values;
};

// Shows the properties of doc.EntryTable[entryIndex] in a fresh, modal dialog. OK returns
// the values the dialog holds (the document is not touched: the caller applies them);
// Cancel or the close box return nullopt. Print hands the open dialog to print. An index
// outside the table shows nothing. Texts are read in doc's encoding; ui tells why OK
// refuses one it cannot hold.
std::optional<EditedEntry> ShowRomProperties(QWidget *parent, const IniDocument &doc, std::size_t entryIndex,
                                             UserInterface &ui, const std::function<void(QWidget &dialog)> &print);
// The same for an entry not in the table yet, whose texts are in encoding.
std::optional<EditedEntry> ShowEntryProperties(QWidget *parent, const RomEntry &entry, TextEncoding encoding,
                                               UserInterface &ui, const std::function<void(QWidget &dialog)> &print);

// What OK in the properties dialog of several ROMs gave: each entry's new values, with
// the texts the user changed kept in changes.texts.
struct EditedEntries {
    EntryChanges changes;
    std::vector<PlacedEntry> values;
};

// The same for several entries (at least two): the dialog shows what they share and
// gives each entry its values with only the controls the user changed applied.
std::optional<EditedEntries> ShowManyRomProperties(QWidget *parent, const IniDocument &doc,
                                                   const std::vector<std::size_t> &entryIndexes, UserInterface &ui);

// Asks "Confirm Delete", naming the ROM, or for several how many; true on Yes. Entries
// that are not there to remove are not counted; with none, it asks nothing and gives false.
bool ConfirmRemoval(QWidget *parent, const IniDocument &doc, const std::vector<std::size_t> &entryIndexes,
                    UserInterface &ui);
