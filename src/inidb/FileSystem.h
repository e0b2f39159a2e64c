#pragma once

#include "IoStatus.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A value together with the status of the operation that produced it.
template <typename T>
struct IoValue {
    T value{};
    IoStatus status;

    bool ok() const { return status.ok(); }
};

// What the safe write needs to know about a path before replacing it.
struct FileInfo {
    bool exists = false;
    bool isRegular = false;
    bool isDirectory = false;
    unsigned permissions = 0; // the mode's permission bits (07777)
    unsigned owner = 0;       // user and group ids
    unsigned group = 0;
    // 0 when this process may write the file; else why not (EACCES, EROFS).
    int writeRefusal = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // last modification, in nanoseconds since 1970
};

// An open file created for writing; handle is what the file system hands back.
struct TempFile {
    int handle = -1;
    std::string path;
};

// The few file operations the load, the safe write and the copy are built from. Every
// failure comes back as errno and a description naming the file. Tests put a faulty
// file system in place of the real one to see that no failure loses data.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file's bytes.
    virtual IoValue<std::string> ReadWholeFile(const std::string &path) = 0;
    // The file's bytes handed to take a piece at a time, in order, each with the size
    // the file had when it was opened; a large file then never needs to be in memory
    // whole. Pieces end anywhere, even inside a line.
    using PieceReader = std::function<void(std::string_view piece, std::uint64_t fileSize)>;
    virtual IoStatus ReadInPieces(const std::string &path, const PieceReader &take) = 0;
    // Follows symbolic links to the path that finally gets written; a path that is no
    // link (or does not exist yet) comes back unchanged.
    virtual IoValue<std::string> FinalDestination(const std::string &path) = 0;
    // A missing path is no failure: it comes back with exists == false.
    virtual IoValue<FileInfo> Stat(const std::string &path) = 0;
    // Creates a new, empty file in folder whose name starts with stem, never replacing
    // one, with permissions less the umask. It stays marked as being written until
    // closed, so RemoveLeftTempFiles can tell it from one a killed write left behind.
    virtual IoValue<TempFile> CreateTempFile(const std::string &folder, const std::string &stem,
                                             unsigned permissions) = 0;
    // Writes all of bytes or fails.
    virtual IoStatus Write(const TempFile &file, std::string_view bytes) = 0;
    virtual IoStatus SetPermissions(const TempFile &file, unsigned permissions) = 0;
    // Gives the file owner and group, or as much of them as this process may set (only
    // root may give a file away); what it may not set is no failure.
    virtual IoStatus SetOwner(const TempFile &file, unsigned owner, unsigned group) = 0;
    // Flushes the file's data to the disk.
    virtual IoStatus Sync(const TempFile &file) = 0;
    virtual IoStatus Close(const TempFile &file) = 0;
    // Replaces to by from in one step.
    virtual IoStatus Rename(const std::string &from, const std::string &to) = 0;
    virtual IoStatus Remove(const std::string &path) = 0;
    // Removes the files CreateTempFile made in folder with stem that no write is still
    // busy with: those a killed write left behind. Only this user's are touched.
    virtual IoStatus RemoveLeftTempFiles(const std::string &folder, const std::string &stem) = 0;
    // Makes a rename in folder durable.
    virtual IoStatus SyncFolder(const std::string &folder) = 0;
};

// The real, POSIX file system.
FileSystem &DefaultFileSystem();

// "Cannot <action> <path>: <system text for number>"
IoStatus IoFailure(int number, std::string_view action, std::string_view path);
