#pragma once

#include "inidb/RomEntry.h"

#include <QString>

#include <optional>

class frmProperties;

// Fills a dialog in its design state from the entry, in the form's order. A value that
// is no item of its list (UCode 7, EepromSize 512, a comment of one's own, ...) is added
// to that list and selected, so it is shown and OK keeps it.
void FillRomProperties(frmProperties &dialog, const RomEntry &entry);

// Why OK cannot store the dialog's texts: the first changed text that holds a character
// the file's encoding cannot, named by its field; nullopt when every text can be stored.
std::optional<QString> UnstorableText(const frmProperties &dialog, const RomEntry &entry);

// Writes every control back into the entry (disabled ones too); CRC and Removed stay.
// An emptied rescan count stores 0; a number that cannot be read keeps the stored value.
// A text shown as it was read keeps its exact bytes; one the encoding cannot hold is
// left as stored (OK refuses it first).
void ApplyRomProperties(const frmProperties &dialog, RomEntry &entry);
