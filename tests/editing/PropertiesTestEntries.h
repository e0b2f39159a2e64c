#pragma once

#include "editing/frmProperties.h"
#include "inidb/RomEntry.h"

#include <QObject>

#include <gtest/gtest.h>

// An entry whose every field differs from the defaults and from the design state.
inline RomEntry NonDefaultEntry()
{
    return RomEntry{.Name = "Wave Race 64", .CRC = "492F4B60-45", .UCode = 4, .Comment = "Almost Playable",
                    .Info = "Water looks odd", .DisableDynarec = true, .DisableTextureCRC = true,
                    .DisableSpeedSync = true, .IncTexRectEdge = true, .ScaleFactor = 8, .ExpansionPak = true,
                    .EepromSize = 4096, .DisableEeprom = true, .OSRescanCount = 12, .DisablePatches = true,
                    .Removed = false, .UnknownLines = {}};
}

template <typename Control>
Control *Find(const QObject &dialog, const char *name)
{
    auto *control = dialog.findChild<Control *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}
