#include "MergeFields.h"

#include "IniKeys.h"

#include <array>
#include <string>

namespace {

// How each field is held: exactly one member is set.
struct FieldAccess {
    std::string_view name;
    StoredText RomEntry::*text = nullptr;
    std::int16_t RomEntry::*number = nullptr;
    bool RomEntry::*flag = nullptr;
};

constexpr FieldAccess text(std::string_view name, StoredText RomEntry::*member)
{
    return {name, member, nullptr, nullptr};
}
constexpr FieldAccess number(std::string_view name, std::int16_t RomEntry::*member)
{
    return {name, nullptr, member, nullptr};
}
// A switch under the key the file writes for it.
constexpr FieldAccess flag(bool RomEntry::*member)
{
    for (const IniKeys::Flag &known : IniKeys::Flags)
        if (known.field == member)
            return {known.key, nullptr, nullptr, member};
    throw "a switch without a key";
}

// In MergeField order.
constexpr std::array<FieldAccess, MergeFieldCount> kFields = {
    text(IniKeys::Name, &RomEntry::Name),
    number(IniKeys::UCode, &RomEntry::UCode),
    text(IniKeys::Comment, &RomEntry::Comment),
    text(IniKeys::Info, &RomEntry::Info),
    flag(&RomEntry::DisableDynarec),
    flag(&RomEntry::DisableTextureCRC),
    flag(&RomEntry::DisableSpeedSync),
    flag(&RomEntry::IncTexRectEdge),
    number(IniKeys::ScaleFactor, &RomEntry::ScaleFactor),
    flag(&RomEntry::ExpansionPak),
    number(IniKeys::EepromSize, &RomEntry::EepromSize),
    flag(&RomEntry::DisableEeprom),
    number(IniKeys::OSRescanCount, &RomEntry::OSRescanCount),
    flag(&RomEntry::DisablePatches),
    text("Other lines", &RomEntry::UnknownLines),
};

const FieldAccess &access(MergeField field)
{
    return kFields[static_cast<std::size_t>(field)];
}

} // namespace

std::string_view MergeFieldName(MergeField field)
{
    return access(field).name;
}

std::string MergeFieldText(const RomEntry &entry, MergeField field)
{
    const FieldAccess &held = access(field);
    if (held.text)
        return std::string((entry.*held.text).view());
    if (held.number)
        return std::to_string(entry.*held.number);
    return entry.*held.flag ? "1" : "0";
}

StoredText RomEntry::*TextMemberOf(MergeField field)
{
    return access(field).text;
}

MergeFieldSet DifferingFields(const RomEntry &a, const RomEntry &b)
{
    // Nearly every entry a merge compares is unchanged: that answer takes no walk through
    // the fields.
    if (a.UCode == b.UCode && a.ScaleFactor == b.ScaleFactor && a.EepromSize == b.EepromSize
        && a.OSRescanCount == b.OSRescanCount && a.DisableDynarec == b.DisableDynarec
        && a.DisableTextureCRC == b.DisableTextureCRC && a.DisableSpeedSync == b.DisableSpeedSync
        && a.IncTexRectEdge == b.IncTexRectEdge && a.ExpansionPak == b.ExpansionPak
        && a.DisableEeprom == b.DisableEeprom && a.DisablePatches == b.DisablePatches && a.Name == b.Name
        && a.Comment == b.Comment && a.Info == b.Info && a.UnknownLines == b.UnknownLines)
        return 0;
    MergeFieldSet differing = 0;
    for (std::size_t index = 0; index < MergeFieldCount; ++index) {
        const FieldAccess &held = kFields[index];
        const bool same = held.text ? (a.*held.text).view() == (b.*held.text).view()
                          : held.number ? a.*held.number == b.*held.number
                                        : a.*held.flag == b.*held.flag;
        if (!same)
            differing |= FieldBit(static_cast<MergeField>(index));
    }
    return differing;
}

void CopyField(RomEntry &to, const RomEntry &from, MergeField field)
{
    const FieldAccess &held = access(field);
    if (held.text)
        to.*held.text = from.*held.text;
    else if (held.number)
        to.*held.number = from.*held.number;
    else
        to.*held.flag = from.*held.flag;
}
