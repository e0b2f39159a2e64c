#include "FaultFileSystem.h"

bool FaultFileSystem::failsNow(const char *operation)
{
    // Only one call ever fails, so what comes after it (the clean-up) runs for real.
    if (++m_operations != m_failingCall)
        return false;
    m_failed = operation;
    return true;
}

IoValue<std::string> FaultFileSystem::ReadWholeFile(const std::string &path)
{
    return failsNow("ReadWholeFile") ? IoValue<std::string>{{}, fault(path)} : m_real.ReadWholeFile(path);
}

IoValue<std::string> FaultFileSystem::FinalDestination(const std::string &path)
{
    return failsNow("FinalDestination") ? IoValue<std::string>{{}, fault(path)} : m_real.FinalDestination(path);
}

IoValue<FileInfo> FaultFileSystem::Stat(const std::string &path)
{
    return failsNow("Stat") ? IoValue<FileInfo>{{}, fault(path)} : m_real.Stat(path);
}

IoValue<TempFile> FaultFileSystem::CreateTempFile(const std::string &folder, const std::string &stem)
{
    return failsNow("CreateTempFile") ? IoValue<TempFile>{{}, fault(folder)} : m_real.CreateTempFile(folder, stem);
}

IoStatus FaultFileSystem::Write(const TempFile &file, std::string_view bytes)
{
    if (!failsNow("Write"))
        return m_real.Write(file, bytes);
    m_real.Write(file, bytes.substr(0, bytes.size() / 2));
    return fault(file.path);
}

IoStatus FaultFileSystem::SetPermissions(const TempFile &file, unsigned permissions)
{
    return failsNow("SetPermissions") ? fault(file.path) : m_real.SetPermissions(file, permissions);
}

IoStatus FaultFileSystem::Sync(const TempFile &file)
{
    return failsNow("Sync") ? fault(file.path) : m_real.Sync(file);
}

IoStatus FaultFileSystem::Close(const TempFile &file)
{
    const bool fails = failsNow("Close");
    const IoStatus closed = m_real.Close(file);
    return fails ? fault(file.path) : closed;
}

IoStatus FaultFileSystem::Rename(const std::string &from, const std::string &to)
{
    return failsNow("Rename") ? fault(to) : m_real.Rename(from, to);
}

IoStatus FaultFileSystem::Remove(const std::string &path)
{
    return failsNow("Remove") ? fault(path) : m_real.Remove(path);
}

IoStatus FaultFileSystem::SyncFolder(const std::string &folder)
{
    return failsNow("SyncFolder") ? fault(folder) : m_real.SyncFolder(folder);
}
