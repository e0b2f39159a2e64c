#pragma once

#include "FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>

class ContentHash;

// What a file held when the editor last read or wrote it, to tell later whether another
// program has changed it since.
struct DiskSnapshot {
    std::uint64_t size = 0;
    // Unknown when the file could not be looked at; its bytes are then compared.
    std::optional<std::int64_t> modifiedNs;
    std::uint64_t hash = 0;
};

// The bytes that went through content, with the time info gives the file.
DiskSnapshot SnapshotOf(const ContentHash &content, const IoValue<FileInfo> &info);

enum class DiskChange { Unchanged, Changed, Deleted };

// Compares path as it is now with snapshot: the same size and time mean unchanged; at
// the same size with another time the bytes are read and hashed, so a mere touch is no
// change (and moves the snapshot's time along, sparing the next look that read). A file
// that cannot be read counts as changed: nothing can show it is not.
DiskChange CompareWithDisk(DiskSnapshot &snapshot, const std::string &path, FileSystem &fs);
