#pragma once

#include "IniMerge.h"
#include "RomEntry.h"

#include <cstdint>

// One merge field of an entry, read, compared and copied alike whatever its kind.

// A set of MergeFields, one bit each.
using MergeFieldSet = std::uint16_t;
constexpr MergeFieldSet FieldBit(MergeField field)
{
    return static_cast<MergeFieldSet>(1u << static_cast<unsigned>(field));
}

// The text member behind a field; null for a number or a switch.
StoredText RomEntry::*TextMemberOf(MergeField field);

// The fields whose values differ between a and b (texts compared as bytes).
MergeFieldSet DifferingFields(const RomEntry &a, const RomEntry &b);

// Gives to the value from has in field.
void CopyField(RomEntry &to, const RomEntry &from, MergeField field);
