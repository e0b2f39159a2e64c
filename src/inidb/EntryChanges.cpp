#include "EntryChanges.h"

#include <utility>

namespace {

template <typename T>
using Field = std::pair<std::optional<T> EntryChanges::*, T RomEntry::*>;

const Field<StoredText> Texts[] = {{&EntryChanges::Comment, &RomEntry::Comment}, {&EntryChanges::Info, &RomEntry::Info}};

const Field<bool> Flags[] = {
    {&EntryChanges::DisableDynarec, &RomEntry::DisableDynarec},
    {&EntryChanges::DisableTextureCRC, &RomEntry::DisableTextureCRC},
    {&EntryChanges::DisableSpeedSync, &RomEntry::DisableSpeedSync},
    {&EntryChanges::IncTexRectEdge, &RomEntry::IncTexRectEdge},
    {&EntryChanges::ExpansionPak, &RomEntry::ExpansionPak},
    {&EntryChanges::DisableEeprom, &RomEntry::DisableEeprom},
    {&EntryChanges::DisablePatches, &RomEntry::DisablePatches},
};

const Field<std::int16_t> Numbers[] = {
    {&EntryChanges::UCode, &RomEntry::UCode},
    {&EntryChanges::ScaleFactor, &RomEntry::ScaleFactor},
    {&EntryChanges::EepromSize, &RomEntry::EepromSize},
    {&EntryChanges::OSRescanCount, &RomEntry::OSRescanCount},
};

} // namespace

RomEntry EntryChanges::appliedTo(RomEntry entry) const
{
    const auto apply = [&](const auto &fields) {
        for (const auto &[given, field] : fields)
            if (this->*given)
                entry.*field = *(this->*given);
    };
    apply(Texts);
    apply(Flags);
    apply(Numbers);
    return entry;
}
