#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RegistryStore;

// The ini files opened last, newest first, kept as the settings values "RecentFile1" to
// "RecentFile5" next to the other settings. A refused write is not reported: the list is
// a convenience and the file itself was opened all the same.
class RecentFiles final {
public:
    static constexpr std::size_t Limit = 5;

    explicit RecentFiles(RegistryStore &store) : m_store(store) {}

    std::vector<std::string> read() const;
    // Puts path first; an older mention of it goes, and so does the sixth file.
    void add(const std::string &path);
    void remove(const std::string &path);

private:
    void write(const std::vector<std::string> &paths);

    RegistryStore &m_store;
};
