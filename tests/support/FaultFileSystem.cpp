#include "FaultFileSystem.h"

namespace {

// In the order of FaultFileSystem::Step.
constexpr const char *StepNames[] = {"ReadWholeFile", "FinalDestination", "Stat",  "CreateTempFile",
                                     "Write",         "SetPermissions",   "Sync",  "Close",
                                     "Rename",        "Remove",           "SyncFolder"};

} // namespace

bool FaultFileSystem::failsNow(Step step)
{
    ++m_operations;
    // Only one call ever fails, so what comes after it (the clean-up) runs for real.
    if (!m_failed.empty())
        return false;
    const bool fails = m_failingStep ? step == *m_failingStep : m_operations == m_failingCall;
    if (fails)
        m_failed = StepNames[static_cast<int>(step)];
    return fails;
}

IoValue<std::string> FaultFileSystem::ReadWholeFile(const std::string &path)
{
    return failsNow(Step::ReadWholeFile) ? IoValue<std::string>{{}, fault(path)} : m_real.ReadWholeFile(path);
}

IoValue<std::string> FaultFileSystem::FinalDestination(const std::string &path)
{
    return failsNow(Step::FinalDestination) ? IoValue<std::string>{{}, fault(path)} : m_real.FinalDestination(path);
}

IoValue<FileInfo> FaultFileSystem::Stat(const std::string &path)
{
    return failsNow(Step::Stat) ? IoValue<FileInfo>{{}, fault(path)} : m_real.Stat(path);
}

IoValue<TempFile> FaultFileSystem::CreateTempFile(const std::string &folder, const std::string &stem)
{
    return failsNow(Step::CreateTempFile) ? IoValue<TempFile>{{}, fault(folder)} : m_real.CreateTempFile(folder, stem);
}

IoStatus FaultFileSystem::Write(const TempFile &file, std::string_view bytes)
{
    if (!failsNow(Step::Write))
        return m_real.Write(file, bytes);
    m_real.Write(file, bytes.substr(0, bytes.size() / 2));
    return fault(file.path);
}

IoStatus FaultFileSystem::SetPermissions(const TempFile &file, unsigned permissions)
{
    return failsNow(Step::SetPermissions) ? fault(file.path) : m_real.SetPermissions(file, permissions);
}

IoStatus FaultFileSystem::Sync(const TempFile &file)
{
    return failsNow(Step::Sync) ? fault(file.path) : m_real.Sync(file);
}

IoStatus FaultFileSystem::Close(const TempFile &file)
{
    const bool fails = failsNow(Step::Close);
    const IoStatus closed = m_real.Close(file);
    return fails ? fault(file.path) : closed;
}

IoStatus FaultFileSystem::Rename(const std::string &from, const std::string &to)
{
    return failsNow(Step::Rename) ? fault(to) : m_real.Rename(from, to);
}

IoStatus FaultFileSystem::Remove(const std::string &path)
{
    return failsNow(Step::Remove) ? fault(path) : m_real.Remove(path);
}

IoStatus FaultFileSystem::SyncFolder(const std::string &folder)
{
    return failsNow(Step::SyncFolder) ? fault(folder) : m_real.SyncFolder(folder);
}
