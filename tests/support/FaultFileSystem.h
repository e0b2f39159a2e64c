#pragma once

#include "inidb/FileSystem.h"

#include <cstddef>
#include <string>

// The real file system, except that the k-th call (counted from 1 over every kind of
// call) fails with a chosen error number. A failing write first puts half its bytes
// down, as a disk that fills up does; a failing close still closes, as close() does.
// With call 0 nothing fails and the calls are only counted.
class FaultFileSystem final : public FileSystem {
public:
    FaultFileSystem(std::size_t failingCall, int number) : m_failingCall(failingCall), m_number(number) {}

    std::size_t operations() const { return m_operations; }
    // The call that failed, e.g. "Rename"; empty while none did.
    const std::string &failedOperation() const { return m_failed; }

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
    // Counts the call; true when it is the one that fails.
    bool failsNow(const char *operation);
    IoStatus fault(const std::string &path) const { return IoFailure(m_number, "use", path); }

    FileSystem &m_real = DefaultFileSystem();
    std::size_t m_failingCall;
    int m_number;
    std::size_t m_operations = 0;
    std::string m_failed;
};
