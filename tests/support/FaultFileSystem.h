#pragma once

#include "inidb/FileSystem.h"

#include <cstddef>
#include <string>
#include <vector>

// The real file system, except that the k-th call (counted from 1 over every kind of
// call) fails with a chosen error number. A failing write first puts half its bytes
// down, as a disk that fills up does; a failing close still closes, as close() does.
// With call 0, or past the last call, nothing fails.
class FaultFileSystem final : public FileSystem {
public:
    FaultFileSystem(std::size_t failingCall, int number) : m_failingCall(failingCall), m_number(number) {}

    // The call that failed, e.g. "Rename"; empty while none did.
    const std::string &failedOperation() const { return m_failed; }
    // Every call so far, in order.
    const std::vector<std::string> &calls() const { return m_calls; }

    IoValue<std::string> ReadWholeFile(const std::string &path) override
    {
        return failsNow("ReadWholeFile") ? IoValue<std::string>{{}, fault(path)} : m_real.ReadWholeFile(path);
    }
    IoStatus ReadInPieces(const std::string &path, const PieceReader &take) override
    {
        return failsNow("ReadInPieces") ? fault(path) : m_real.ReadInPieces(path, take);
    }
    IoValue<std::string> FinalDestination(const std::string &path) override
    {
        return failsNow("FinalDestination") ? IoValue<std::string>{{}, fault(path)} : m_real.FinalDestination(path);
    }
    IoValue<FileInfo> Stat(const std::string &path) override
    {
        return failsNow("Stat") ? IoValue<FileInfo>{{}, fault(path)} : m_real.Stat(path);
    }
    IoValue<TempFile> CreateTempFile(const std::string &folder, const std::string &stem, unsigned permissions) override
    {
        return failsNow("CreateTempFile") ? IoValue<TempFile>{{}, fault(folder)}
                                          : m_real.CreateTempFile(folder, stem, permissions);
    }
    IoStatus Write(const TempFile &file, std::string_view bytes) override
    {
        if (!failsNow("Write"))
            return m_real.Write(file, bytes);
        m_real.Write(file, bytes.substr(0, bytes.size() / 2));
        return fault(file.path);
    }
    IoStatus SetPermissions(const TempFile &file, unsigned permissions) override
    {
        return failsNow("SetPermissions") ? fault(file.path) : m_real.SetPermissions(file, permissions);
    }
    IoStatus SetOwner(const TempFile &file, unsigned owner, unsigned group) override
    {
        return failsNow("SetOwner") ? fault(file.path) : m_real.SetOwner(file, owner, group);
    }
    IoStatus Sync(const TempFile &file) override { return failsNow("Sync") ? fault(file.path) : m_real.Sync(file); }
    IoStatus Close(const TempFile &file) override
    {
        const bool fails = failsNow("Close");
        const IoStatus closed = m_real.Close(file);
        return fails ? fault(file.path) : closed;
    }
    IoStatus Rename(const std::string &from, const std::string &to) override
    {
        return failsNow("Rename") ? fault(to) : m_real.Rename(from, to);
    }
    IoStatus Remove(const std::string &path) override { return failsNow("Remove") ? fault(path) : m_real.Remove(path); }
    IoStatus RemoveLeftTempFiles(const std::string &folder, const std::string &stem) override
    {
        return failsNow("RemoveLeftTempFiles") ? fault(folder) : m_real.RemoveLeftTempFiles(folder, stem);
    }
    IoStatus SyncFolder(const std::string &folder) override
    {
        return failsNow("SyncFolder") ? fault(folder) : m_real.SyncFolder(folder);
    }

private:
    // Counts the call; true when it is the one that fails. Only one call ever fails, so
    // what comes after it (the clean-up) runs for real.
    bool failsNow(const char *operation)
    {
        m_calls.emplace_back(operation);
        if (++m_operations != m_failingCall)
            return false;
        m_failed = operation;
        return true;
    }
    IoStatus fault(const std::string &path) const { return IoFailure(m_number, "use", path); }

    FileSystem &m_real = DefaultFileSystem();
    std::size_t m_failingCall;
    int m_number;
    std::size_t m_operations = 0;
    std::string m_failed;
    std::vector<std::string> m_calls;
};
