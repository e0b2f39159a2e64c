#pragma once

#include "IniDocument.h"

#include <cstddef>
#include <string_view>

// Why a text cannot be the CRC of a new entry.
enum class CrcRefusal {
    None,
    Empty,
    LineBreak,
    // One of { } [ ] =, which would make the header line read as something else.
    Reserved,
    // An entry in the list has it.
    Taken,
    // A removed entry has it, and the history can still bring that entry back.
    TakenByRemoved,
};

struct CrcCheck {
    CrcRefusal refusal = CrcRefusal::None;
    // The reserved character found.
    char character = 0;
    // The entry that has the CRC already.
    std::size_t entryIndex = 0;
};

// Whether crc (the file's bytes) can be the CRC of a new entry of doc. Compared exactly,
// as every CRC is.
CrcCheck CheckNewCrc(const IniDocument &doc, std::string_view crc);
