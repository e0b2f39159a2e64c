#pragma once

#include "editing/frmProperties.h"
#include "inidb/RomEntry.h"

// A ROM the printing tests know, with settings that show in the dialog.
RomEntry KnownRom();

// The properties dialog of the known ROM, filled and shown, its Print button unwired.
struct KnownRomDialog {
    KnownRomDialog();

    RomEntry entry;
    frmProperties dialog;
};
