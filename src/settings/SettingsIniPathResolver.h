#pragma once

#include "IniPathResolver.h"

#include <functional>
#include <optional>
#include <string>

class RegistryStore;
class UserInterface;
struct IniDocument;

// Records an ini path as "IniPath" and sets doc.IniPath from what the settings then hold.
// An empty path asks the user for the file first (askForFile shows the open-file dialog
// filtered to velmoran.ini; nullopt means cancelled).
class SettingsIniPathResolver final : public IniPathResolver {
public:
    using FileQuestion = std::function<std::optional<std::string>()>;

    SettingsIniPathResolver(RegistryStore &store, IniDocument &doc, UserInterface &ui,
                            FileQuestion askForFile);

    // False on cancel (nothing touched, no message) and when the store refuses the path
    // (an "Error" message is shown and doc.IniPath is left as it was).
    bool ResolveIniPath(const std::string &path) override;

private:
    RegistryStore &m_store;
    IniDocument &m_doc;
    UserInterface &m_ui;
    FileQuestion m_askForFile;
};
