#include "KnownRomDialog.h"

#include "editing/RomProperties.h"

RomEntry KnownRom()
{
    RomEntry rom;
    rom.Name = "Lava Rally";
    rom.CRC = "FF124298-A75BB258-45";
    rom.UCode = 1;
    rom.Comment = "Almost Playable";
    rom.Info = "Fog flickers on the third track";
    rom.DisableDynarec = true;
    rom.IncTexRectEdge = true;
    rom.EepromSize = 16384;
    return rom;
}

KnownRomDialog::KnownRomDialog()
    : entry(KnownRom())
    , dialog(entry, nullptr)
{
    FillRomProperties(dialog, entry);
    dialog.show();
}
