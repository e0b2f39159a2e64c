#pragma once

#include <cstddef>
#include <functional>

class QWidget;
class UserInterface;
struct IniDocument;

// Shows the properties of doc.EntryTable[entryIndex] in a fresh, modal dialog. OK writes
// the dialog back into that very entry and returns true (the caller then refreshes the
// entry's row from the entry); Cancel or the close box return false with nothing changed.
// Print hands the open dialog to print. An index outside the table shows nothing. Texts
// are read and written in doc's encoding; ui tells why OK refuses one it cannot hold.
bool ShowRomProperties(QWidget *parent, IniDocument &doc, std::size_t entryIndex, UserInterface &ui,
                       const std::function<void(QWidget &dialog)> &print);

// Asks "Confirm Delete"; on Yes marks doc.EntryTable[entryIndex] removed, appends its
// undo record to doc.UndoList and returns true (the caller takes the row out of the list
// and adds the record to the Undo menu). On No, or for an entry that is not there to
// remove, nothing changes and the result is false.
bool RemoveRomEntry(QWidget *parent, IniDocument &doc, std::size_t entryIndex, UserInterface &ui);
