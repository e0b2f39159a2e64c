#pragma once

#include "inidb/RomEntry.h"

class frmProperties;

// Fills a dialog in its design state from the entry, in the form's order. A value that
// is no item of its list (UCode 7, EepromSize 512, a comment of one's own, ...) is added
// to that list and selected, so it is shown and OK keeps it.
void FillRomProperties(frmProperties &dialog, const RomEntry &entry);

// Writes every control back into the entry (disabled ones too); CRC and Removed stay.
// An emptied rescan count stores 0; a number that cannot be read keeps the stored value.
void ApplyRomProperties(const frmProperties &dialog, RomEntry &entry);
