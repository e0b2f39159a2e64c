#pragma once

#include "FileSystem.h"

// The real file system through POSIX calls.
class PosixFileSystem final : public FileSystem {
public:
    IoValue<std::string> ReadWholeFile(const std::string &path) override;
    IoStatus ReadInPieces(const std::string &path, const PieceReader &take) override;
    IoValue<std::string> FinalDestination(const std::string &path) override;
    IoValue<FileInfo> Stat(const std::string &path) override;
    IoValue<TempFile> CreateTempFile(const std::string &folder, const std::string &stem,
                                     unsigned permissions) override;
    IoStatus Write(const TempFile &file, std::string_view bytes) override;
    IoStatus SetPermissions(const TempFile &file, unsigned permissions) override;
    IoStatus SetOwner(const TempFile &file, unsigned owner, unsigned group) override;
    IoStatus Sync(const TempFile &file) override;
    IoStatus Close(const TempFile &file) override;
    IoStatus Rename(const std::string &from, const std::string &to) override;
    IoStatus Remove(const std::string &path) override;
    IoStatus RemoveLeftTempFiles(const std::string &folder, const std::string &stem) override;
    IoStatus SyncFolder(const std::string &folder) override;
};
