#pragma once

#include "IniPathSetting.h"
#include "RecentFiles.h"
#include "badRegistry.h"

#include <optional>
#include <string>
#include <vector>

class RegistryStore;
struct IniDocument;

// How the main window was left: its geometry (base64 text), the list's column widths and
// order, and its sort. A value missing or not readable as whole numbers is empty.
struct WindowLayoutSettings {
    std::string geometry;
    std::vector<int> columnWidths;
    std::vector<int> columnOrder;
    std::optional<int> sortColumn;
    // 0 ascending, 1 descending.
    std::optional<int> sortOrder;
};

// The settings the program uses, each a text value of the settings key, read and written
// typed, through Reg.
class AppSettings final {
public:
    explicit AppSettings(RegistryStore &store) : m_store(store), m_iniPath(store), m_recentFiles(store) {}

    // "IniPath": the ini file last edited; "" when none.
    std::string iniPath() { return m_iniPath.read(); }
    // False when the store refused; iniPathFailure() tells why.
    bool storeIniPath(const std::string &path) { return m_iniPath.store(path); }
    const SettingsFailure &iniPathFailure() const { return m_iniPath.failure(); }

    // "AutoOpen" and "SaveType", also set in doc; a text other than 0 or 1 reads as the default.
    badRegistry::OptionSettings readOptions(IniDocument &doc) { return badRegistry::LoadOptionSettings(m_store, doc); }
    void storeOptions(IniDocument &doc, const badRegistry::OptionSettings &options);

    // "RecentFile1" to "RecentFile5", newest first.
    std::vector<std::string> recentFiles() const { return m_recentFiles.read(); }
    void addRecentFile(const std::string &path) { m_recentFiles.add(path); }
    void removeRecentFile(const std::string &path) { m_recentFiles.remove(path); }

    // "WindowGeometry", "ColumnWidths", "ColumnOrder", "SortColumn" and "SortOrder".
    WindowLayoutSettings layout() const;
    void storeLayout(const WindowLayoutSettings &layout);

private:
    RegistryStore &m_store;
    IniPathSetting m_iniPath;
    RecentFiles m_recentFiles;
};
