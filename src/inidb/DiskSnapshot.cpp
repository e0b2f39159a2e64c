#include "DiskSnapshot.h"

#include "ContentHash.h"

DiskSnapshot SnapshotOf(const ContentHash &content, const IoValue<FileInfo> &info)
{
    DiskSnapshot snapshot{content.size(), std::nullopt, content.value()};
    if (info.ok() && info.value.exists)
        snapshot.modifiedNs = info.value.modifiedNs;
    return snapshot;
}

DiskChange CompareWithDisk(DiskSnapshot &snapshot, const std::string &path, FileSystem &fs)
{
    const IoValue<FileInfo> info = fs.Stat(path);
    if (info.ok() && !info.value.exists)
        return DiskChange::Deleted;
    if (info.ok() && info.value.size != snapshot.size)
        return DiskChange::Changed;
    if (info.ok() && snapshot.modifiedNs == info.value.modifiedNs)
        return DiskChange::Unchanged;
    ContentHash content;
    if (!fs.ReadInPieces(path, [&content](std::string_view piece, std::uint64_t) { content.add(piece); }).ok())
        return DiskChange::Changed;
    if (content.size() != snapshot.size || content.value() != snapshot.hash)
        return DiskChange::Changed;
    if (info.ok())
        snapshot.modifiedNs = info.value.modifiedNs;
    return DiskChange::Unchanged;
}
