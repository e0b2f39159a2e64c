#include "SafeFile.h"

#include "FileSystem.h"
#include "PathParts.h"

#include <cerrno>

namespace {

// The user asked to write path; that is the name the message must carry, whichever
// step (temporary file, link destination) failed.
IoStatus cannotWrite(const IoStatus &cause, const std::string &path)
{
    return IoFailure(cause.number, "write", path);
}

// Writes the temporary file completely and gives it the permissions the target has.
IoStatus fillTempFile(FileSystem &fs, const TempFile &temp, const ContentProducer &produce, const FileInfo &target)
{
    IoStatus status = produce([&fs, &temp](std::string_view piece) { return fs.Write(temp, piece); });
    if (status.ok() && target.exists)
        status = fs.SetPermissions(temp, target.permissions);
    if (status.ok())
        status = fs.Sync(temp);
    // Closed in every case; a failing close may mean the data never reached the disk.
    const IoStatus closed = fs.Close(temp);
    return status.ok() ? closed : status;
}

} // namespace

IoStatus WriteFileAtomically(FileSystem &fs, const std::string &path, std::string_view bytes)
{
    return WriteFileAtomically(fs, path, [bytes](const PieceWriter &write) { return write(bytes); });
}

IoStatus WriteFileAtomically(FileSystem &fs, const std::string &path, const ContentProducer &produce)
{
    // Replacing a symbolic link itself would turn it into a plain file; the file it
    // points to is what the user means.
    const IoValue<std::string> destination = fs.FinalDestination(path);
    if (!destination.ok())
        return cannotWrite(destination.status, path);
    const std::string &target = destination.value;
    const IoValue<FileInfo> info = fs.Stat(target);
    if (!info.ok())
        return cannotWrite(info.status, path);
    if (info.value.exists && !info.value.isRegular)
        return IoFailure(info.value.isDirectory ? EISDIR : EINVAL, "write", path);

    // Beside the target, so the rename stays within one file system and is atomic.
    const std::string folder = FolderOf(target);
    const IoValue<TempFile> temp = fs.CreateTempFile(folder, "." + FileNameOf(target) + ".tmp-");
    if (!temp.ok())
        return cannotWrite(temp.status, path);
    IoStatus status = fillTempFile(fs, temp.value, produce, info.value);
    if (status.ok())
        status = fs.Rename(temp.value.path, target);
    if (!status.ok()) {
        fs.Remove(temp.value.path);
        return cannotWrite(status, path);
    }
    // The new content is in place now; a folder that cannot be flushed only makes the
    // rename less durable across a power cut, and reporting a failure here would claim
    // the target is unchanged when it is not.
    fs.SyncFolder(folder);
    return IoStatus::success();
}

IoStatus CopyFileOver(FileSystem &fs, const std::string &from, const std::string &to)
{
    const IoValue<std::string> bytes = fs.ReadWholeFile(from);
    if (!bytes.ok())
        return bytes.status;
    return WriteFileAtomically(fs, to, bytes.value);
}
