#include "PosixFileSystem.h"

#include "HugePages.h"
#include "PathParts.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links pointing at links are followed this far before giving up, like the kernel does.
constexpr int kMaxLinkHops = 40;
constexpr int kTempNameAttempts = 100;
constexpr std::string_view kSuffixAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 8;

IoStatus lastFailure(std::string_view action, std::string_view path)
{
    return IoFailure(errno, action, path);
}

std::string randomSuffix()
{
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kSuffixAlphabet.size() - 1);
    std::string suffix(kSuffixLength, ' ');
    for (char &c : suffix)
        c = kSuffixAlphabet[pick(generator)];
    return suffix;
}

// Whether name is stem followed by a suffix randomSuffix could have made.
bool isTempName(std::string_view name, std::string_view stem)
{
    return name.size() == stem.size() + kSuffixLength && name.starts_with(stem)
        && name.find_first_not_of(kSuffixAlphabet, stem.size()) == std::string_view::npos;
}

// A temporary file no write holds any more: a plain file of this user's that can be
// locked. Every write locks its file from creation to close, and the lock dies with
// the process, so a killed write's file is free while a running one's is not.
bool isLeftBehind(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool left = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
                   && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return left;
}

// A regular file open for reading, with the size it had when opened.
struct OpenedFile {
    int fd = -1;
    std::uint64_t size = 0;
};

// Opens path for reading, refusing anything but a regular file (or a link to one): a
// FIFO would hold the program in open() or read(), a device such as /dev/zero would be
// read forever. The open does not wait for a FIFO's writer; the descriptor then blocks
// again, as a file's reads do.
IoValue<OpenedFile> openRegularFile(const std::string &path)
{
    IoValue<OpenedFile> result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.status = lastFailure("read", path);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        result.status = lastFailure("read", path);
    } else if (!S_ISREG(info.st_mode)) {
        result.status = {S_ISDIR(info.st_mode) ? EISDIR : EINVAL, "Cannot read " + path + ": it is not a regular file"};
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        result.status = lastFailure("read", path);
    } else {
        result.value = {fd, static_cast<std::uint64_t>(info.st_size)};
        return result;
    }
    ::close(fd);
    return result;
}

} // namespace

IoStatus IoFailure(int number, std::string_view action, std::string_view path)
{
    IoStatus status;
    status.number = number;
    status.description = "Cannot " + std::string(action) + " " + std::string(path) + ": " + std::strerror(number);
    return status;
}

IoValue<std::string> PosixFileSystem::ReadWholeFile(const std::string &path)
{
    IoValue<std::string> result;
    const IoValue<OpenedFile> opened = openRegularFile(path);
    if (!opened.ok()) {
        result.status = opened.status;
        return result;
    }
    const int fd = opened.value.fd;
    std::string &bytes = result.value;
    // Read the size the file says it has in place, then whatever follows (a file that
    // grew meanwhile) in chunks.
    bytes.reserve(static_cast<std::size_t>(opened.value.size));
    AdviseHugePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(opened.value.size));
    std::size_t filled = 0;
    char chunk[1 << 16];
    for (;;) {
        const bool inPlace = filled < bytes.size();
        const ssize_t got = inPlace ? ::read(fd, bytes.data() + filled, bytes.size() - filled)
                                    : ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.status = lastFailure("read", path);
            bytes.clear();
            break;
        }
        if (got == 0) {
            bytes.resize(filled);
            break;
        }
        if (!inPlace)
            bytes.append(chunk, static_cast<std::size_t>(got));
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return result;
}

IoStatus PosixFileSystem::ReadInPieces(const std::string &path, const PieceReader &take)
{
    const IoValue<OpenedFile> opened = openRegularFile(path);
    if (!opened.ok())
        return opened.status;
    const auto [fd, size] = opened.value;
    // Small enough to stay in the processor's cache while the piece is taken apart.
    constexpr std::size_t kPieceSize = std::size_t{64} << 10;
    const std::unique_ptr<char[]> piece(new char[kPieceSize]);
    IoStatus status;
    for (;;) {
        const ssize_t got = ::read(fd, piece.get(), kPieceSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            status = lastFailure("read", path);
        if (got <= 0)
            break;
        take(std::string_view(piece.get(), static_cast<std::size_t>(got)), size);
    }
    ::close(fd);
    return status;
}

IoValue<std::string> PosixFileSystem::FinalDestination(const std::string &path)
{
    IoValue<std::string> result{path, {}};
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(result.value.c_str(), &info) != 0) {
            if (errno != ENOENT)
                result.status = lastFailure("look up", path);
            return result;
        }
        if (!S_ISLNK(info.st_mode))
            return result;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(result.value.c_str(), target.data(), target.size());
        if (length < 0) {
            result.status = lastFailure("look up", path);
            return result;
        }
        target.resize(static_cast<std::size_t>(length));
        // A relative link is relative to the folder the link is in.
        result.value = target.starts_with('/') ? target : FolderOf(result.value) + "/" + target;
    }
    result.status = IoFailure(ELOOP, "look up", path);
    return result;
}

IoValue<FileInfo> PosixFileSystem::Stat(const std::string &path)
{
    IoValue<FileInfo> result;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            result.status = lastFailure("look up", path);
        return result;
    }
    result.value.exists = true;
    result.value.isRegular = S_ISREG(info.st_mode);
    result.value.isDirectory = S_ISDIR(info.st_mode);
    result.value.permissions = info.st_mode & 07777;
    result.value.owner = info.st_uid;
    result.value.group = info.st_gid;
    // As this process's own user, as a plain write would be checked.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        result.value.writeRefusal = errno;
    result.value.size = static_cast<std::uint64_t>(info.st_size);
    result.value.modifiedNs = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
    return result;
}

IoValue<TempFile> PosixFileSystem::CreateTempFile(const std::string &folder, const std::string &stem,
                                                  unsigned permissions)
{
    IoValue<TempFile> result;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        const std::string path = folder + "/" + stem + randomSuffix();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(permissions));
        if (fd >= 0) {
            // Never contended: the name is new. Released by close() or the process's end.
            ::flock(fd, LOCK_EX | LOCK_NB);
            result.value = {fd, path};
            return result;
        }
        if (errno != EEXIST) {
            result.status = lastFailure("create", path);
            return result;
        }
    }
    result.status = IoFailure(EEXIST, "create a temporary file in", folder);
    return result;
}

IoStatus PosixFileSystem::Write(const TempFile &file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(file.handle, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastFailure("write", file.path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return IoStatus::success();
}

IoStatus PosixFileSystem::SetPermissions(const TempFile &file, unsigned permissions)
{
    if (::fchmod(file.handle, static_cast<mode_t>(permissions)) != 0)
        return lastFailure("set the permissions of", file.path);
    return IoStatus::success();
}

IoStatus PosixFileSystem::SetOwner(const TempFile &file, unsigned owner, unsigned group)
{
    if (::fchown(file.handle, static_cast<uid_t>(owner), static_cast<gid_t>(group)) == 0)
        return IoStatus::success();
    if (errno != EPERM)
        return lastFailure("set the owner of", file.path);
    // Only root may give a file away; its owner may still give it a group he is in.
    ::fchown(file.handle, static_cast<uid_t>(-1), static_cast<gid_t>(group));
    return IoStatus::success();
}

IoStatus PosixFileSystem::Sync(const TempFile &file)
{
    if (::fsync(file.handle) != 0)
        return lastFailure("flush", file.path);
    return IoStatus::success();
}

IoStatus PosixFileSystem::Close(const TempFile &file)
{
    // The descriptor is gone after close() even when it reports an error, so no retry.
    if (::close(file.handle) != 0)
        return lastFailure("close", file.path);
    return IoStatus::success();
}

IoStatus PosixFileSystem::Rename(const std::string &from, const std::string &to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastFailure("replace", to);
    return IoStatus::success();
}

IoStatus PosixFileSystem::Remove(const std::string &path)
{
    if (::unlink(path.c_str()) != 0)
        return lastFailure("remove", path);
    return IoStatus::success();
}

IoStatus PosixFileSystem::RemoveLeftTempFiles(const std::string &folder, const std::string &stem)
{
    const std::unique_ptr<DIR, int (*)(DIR *)> entries(::opendir(folder.c_str()), ::closedir);
    if (!entries)
        return lastFailure("look into", folder);
    IoStatus status;
    while (const dirent *entry = ::readdir(entries.get())) {
        const std::string path = folder + "/" + entry->d_name;
        if (isTempName(entry->d_name, stem) && isLeftBehind(path) && ::unlink(path.c_str()) != 0)
            status = lastFailure("remove", path);
    }
    return status;
}

IoStatus PosixFileSystem::SyncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastFailure("flush", folder);
    const int synced = ::fsync(fd);
    const int savedErrno = errno;
    ::close(fd);
    if (synced != 0)
        return IoFailure(savedErrno, "flush", folder);
    return IoStatus::success();
}

FileSystem &DefaultFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}
