#pragma once

#include "editing/frmProperties.h"
#include "inidb/RomEntry.h"

#include <QObject>

#include <gtest/gtest.h>

// An entry whose every field differs from the defaults and from the design state.
inline RomEntry NonDefaultEntry()
{
    RomEntry entry;
    entry.Name = "Wave Race 64";
    entry.CRC = "492F4B60-45";
    entry.UCode = 4;
    entry.Comment = "Almost Playable";
    entry.Info = "Water looks odd";
    entry.DisableDynarec = true;
    entry.DisableTextureCRC = true;
    entry.DisableSpeedSync = true;
    entry.IncTexRectEdge = true;
    entry.ScaleFactor = 8;
    entry.ExpansionPak = true;
    entry.EepromSize = 4096;
    entry.DisableEeprom = true;
    entry.OSRescanCount = 12;
    entry.DisablePatches = true;
    return entry;
}

template <typename Control>
Control *Find(const QObject &dialog, const char *name)
{
    auto *control = dialog.findChild<Control *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}
