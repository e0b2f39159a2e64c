#include "CountedFaultFileSystem.h"

CountedFaultFileSystem::CountedFaultFileSystem(std::size_t failingOperation, int number)
    : m_failing(failingOperation), m_number(number)
{
}

bool CountedFaultFileSystem::failsNow(const char *operation)
{
    if (++m_operations != m_failing)
        return false;
    m_failed = operation;
    return true;
}

IoValue<std::string> CountedFaultFileSystem::ReadWholeFile(const std::string &path)
{
    return failsNow("ReadWholeFile") ? IoValue<std::string>{{}, fault(path)} : m_real.ReadWholeFile(path);
}

IoValue<std::string> CountedFaultFileSystem::FinalDestination(const std::string &path)
{
    return failsNow("FinalDestination") ? IoValue<std::string>{{}, fault(path)} : m_real.FinalDestination(path);
}

IoValue<FileInfo> CountedFaultFileSystem::Stat(const std::string &path)
{
    return failsNow("Stat") ? IoValue<FileInfo>{{}, fault(path)} : m_real.Stat(path);
}

IoValue<TempFile> CountedFaultFileSystem::CreateTempFile(const std::string &folder, const std::string &stem)
{
    return failsNow("CreateTempFile") ? IoValue<TempFile>{{}, fault(folder)} : m_real.CreateTempFile(folder, stem);
}

IoStatus CountedFaultFileSystem::Write(const TempFile &file, std::string_view bytes)
{
    if (!failsNow("Write"))
        return m_real.Write(file, bytes);
    m_real.Write(file, bytes.substr(0, bytes.size() / 2));
    return fault(file.path);
}

IoStatus CountedFaultFileSystem::SetPermissions(const TempFile &file, unsigned permissions)
{
    return failsNow("SetPermissions") ? fault(file.path) : m_real.SetPermissions(file, permissions);
}

IoStatus CountedFaultFileSystem::Sync(const TempFile &file)
{
    return failsNow("Sync") ? fault(file.path) : m_real.Sync(file);
}

IoStatus CountedFaultFileSystem::Close(const TempFile &file)
{
    const bool fails = failsNow("Close");
    const IoStatus closed = m_real.Close(file);
    return fails ? fault(file.path) : closed;
}

IoStatus CountedFaultFileSystem::Rename(const std::string &from, const std::string &to)
{
    return failsNow("Rename") ? fault(to) : m_real.Rename(from, to);
}

IoStatus CountedFaultFileSystem::Remove(const std::string &path)
{
    return failsNow("Remove") ? fault(path) : m_real.Remove(path);
}

IoStatus CountedFaultFileSystem::SyncFolder(const std::string &folder)
{
    return failsNow("SyncFolder") ? fault(folder) : m_real.SyncFolder(folder);
}
