#include "RecentFiles.h"

#include "Reg.h"
#include "badRegistry.h"

#include <algorithm>

namespace {

std::string valueName(std::size_t place)
{
    return "RecentFile" + std::to_string(place + 1);
}

} // namespace

std::vector<std::string> RecentFiles::read() const
{
    Reg reg(m_store);
    std::vector<std::string> paths;
    for (std::size_t place = 0; place < Limit; ++place) {
        std::string path = std::get<std::string>(
            reg.Query_Value(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey, valueName(place)));
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

void RecentFiles::add(const std::string &path)
{
    std::vector<std::string> paths = read();
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    write(paths);
}

void RecentFiles::remove(const std::string &path)
{
    std::vector<std::string> paths = read();
    std::erase(paths, path);
    write(paths);
}

void RecentFiles::write(const std::vector<std::string> &paths)
{
    Reg reg(m_store);
    for (std::size_t place = 0; place < Limit; ++place)
        reg.Set_Value(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey, valueName(place),
                      place < paths.size() ? paths[place] : std::string(), RegType::Text);
}
