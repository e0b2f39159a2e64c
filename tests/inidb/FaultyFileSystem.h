#pragma once

#include "inidb/FileSystem.h"

// The real file system, except that one chosen step of a write fails with a chosen
// error number (a write first puts half its bytes down, as a full disk would).
class FaultyFileSystem final : public FileSystem {
public:
    enum class Step { CreateTempFile, Write, SetPermissions, Sync, Close, Rename };

    FaultyFileSystem(Step failing, int number) : m_failing(failing), m_number(number) {}

    IoValue<std::string> ReadWholeFile(const std::string &path) override;
    IoValue<std::string> FinalDestination(const std::string &path) override;
    IoValue<FileInfo> Stat(const std::string &path) override;
    IoValue<TempFile> CreateTempFile(const std::string &folder, const std::string &stem) override;
    IoStatus Write(const TempFile &file, std::string_view bytes) override;
    IoStatus SetPermissions(const TempFile &file, unsigned permissions) override;
    IoStatus Sync(const TempFile &file) override;
    IoStatus Close(const TempFile &file) override;
    IoStatus Rename(const std::string &from, const std::string &to) override;
    IoStatus Remove(const std::string &path) override;
    IoStatus SyncFolder(const std::string &folder) override;

private:
    IoStatus fault(const std::string &path) const { return IoFailure(m_number, "use", path); }

    FileSystem &m_real = DefaultFileSystem();
    Step m_failing;
    int m_number;
};
