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

// Gives the temporary file the target's owner, group and permissions before its first
// byte (the owner first: a change of owner clears the set-id bits), then writes it.
IoStatus fillTempFile(FileSystem &fs, const TempFile &temp, const ContentProducer &produce, const FileInfo &target)
{
    IoStatus status;
    if (target.exists) {
        status = fs.SetOwner(temp, target.owner, target.group);
        if (status.ok())
            status = fs.SetPermissions(temp, target.permissions);
    }
    if (status.ok())
        status = produce([&fs, &temp](std::string_view piece) { return fs.Write(temp, piece); });
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
    // The rename would replace a file a plain write may not change.
    if (info.value.exists && info.value.writeRefusal == EACCES)
        return {EACCES, "Cannot write " + path + ": the file is read-only"};
    if (info.value.exists && info.value.writeRefusal != 0)
        return IoFailure(info.value.writeRefusal, "write", path);

    // Beside the target, so the rename stays within one file system and is atomic. A
    // file replaced is readable by its owner alone until it has the target's permissions.
    const std::string folder = FolderOf(target);
    const std::string stem = "." + FileNameOf(target) + ".tmp-";
    const IoValue<TempFile> temp = fs.CreateTempFile(folder, stem, info.value.exists ? 0600 : 0666);
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
    // the target is unchanged when it is not. The same holds for clearing away what an
    // earlier, killed write of this target left.
    fs.RemoveLeftTempFiles(folder, stem);
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
