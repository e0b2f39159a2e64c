#include "EntryChanges.h"

namespace {

template <typename T>
void setIfGiven(T &field, const std::optional<T> &value)
{
    if (value)
        field = *value;
}

} // namespace

RomEntry EntryChanges::appliedTo(RomEntry entry) const
{
    setIfGiven(entry.Comment, Comment);
    setIfGiven(entry.Info, Info);
    setIfGiven(entry.DisableDynarec, DisableDynarec);
    setIfGiven(entry.DisableTextureCRC, DisableTextureCRC);
    setIfGiven(entry.DisableSpeedSync, DisableSpeedSync);
    setIfGiven(entry.IncTexRectEdge, IncTexRectEdge);
    setIfGiven(entry.ExpansionPak, ExpansionPak);
    setIfGiven(entry.DisableEeprom, DisableEeprom);
    setIfGiven(entry.DisablePatches, DisablePatches);
    setIfGiven(entry.UCode, UCode);
    setIfGiven(entry.ScaleFactor, ScaleFactor);
    setIfGiven(entry.EepromSize, EepromSize);
    setIfGiven(entry.OSRescanCount, OSRescanCount);
    return entry;
}
