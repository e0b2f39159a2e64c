#include "FaultyFileSystem.h"

IoValue<std::string> FaultyFileSystem::ReadWholeFile(const std::string &path)
{
    return m_real.ReadWholeFile(path);
}

IoValue<std::string> FaultyFileSystem::FinalDestination(const std::string &path)
{
    return m_real.FinalDestination(path);
}

IoValue<FileInfo> FaultyFileSystem::Stat(const std::string &path)
{
    return m_real.Stat(path);
}

IoValue<TempFile> FaultyFileSystem::CreateTempFile(const std::string &folder, const std::string &stem)
{
    if (m_failing == Step::CreateTempFile)
        return {{}, fault(folder)};
    return m_real.CreateTempFile(folder, stem);
}

IoStatus FaultyFileSystem::Write(const TempFile &file, std::string_view bytes)
{
    if (m_failing != Step::Write)
        return m_real.Write(file, bytes);
    m_real.Write(file, bytes.substr(0, bytes.size() / 2));
    return fault(file.path);
}

IoStatus FaultyFileSystem::SetPermissions(const TempFile &file, unsigned permissions)
{
    return m_failing == Step::SetPermissions ? fault(file.path) : m_real.SetPermissions(file, permissions);
}

IoStatus FaultyFileSystem::Sync(const TempFile &file)
{
    return m_failing == Step::Sync ? fault(file.path) : m_real.Sync(file);
}

IoStatus FaultyFileSystem::Close(const TempFile &file)
{
    const IoStatus closed = m_real.Close(file);
    return m_failing == Step::Close ? fault(file.path) : closed;
}

IoStatus FaultyFileSystem::Rename(const std::string &from, const std::string &to)
{
    return m_failing == Step::Rename ? fault(to) : m_real.Rename(from, to);
}

IoStatus FaultyFileSystem::Remove(const std::string &path)
{
    return m_real.Remove(path);
}

IoStatus FaultyFileSystem::SyncFolder(const std::string &folder)
{
    return m_real.SyncFolder(folder);
}
