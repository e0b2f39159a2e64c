#pragma once

#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends.
class TempFolder final {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }
    // Names of the folder's entries, sorted.
    std::string listing() const;

private:
    std::string m_path;
};

std::string ReadBytes(const std::string &path);
void WriteBytes(const std::string &path, std::string_view bytes);
