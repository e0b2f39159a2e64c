#pragma once

#include "editing/frmProperties.h"
#include "inidb/IniWriter.h"
#include "inidb/RomEntry.h"
#include "TestText.h"

#include <gtest/gtest.h>

// An entry whose every field differs from the defaults and from the design state.
inline RomEntry NonDefaultEntry()
{
    return RomEntry{.Name = Text("Wave Race 64"), .CRC = Text("492F4B60-45"), .UCode = 4, .Comment = Text("Almost Playable"),
                    .Info = Text("Water looks odd"), .DisableDynarec = true, .DisableTextureCRC = true,
                    .DisableSpeedSync = true, .IncTexRectEdge = true, .ScaleFactor = 8, .ExpansionPak = true,
                    .EepromSize = 4096, .DisableEeprom = true, .OSRescanCount = 12, .DisablePatches = true,
                    .Removed = false, .UnknownLines = {}};
}
