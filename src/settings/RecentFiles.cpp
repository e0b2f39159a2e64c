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
        std::string path = badRegistry::ReadSettingText(reg, valueName(place).c_str());
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
        badRegistry::WriteSettingText(reg, valueName(place).c_str(),
                                      place < paths.size() ? paths[place] : std::string());
}
