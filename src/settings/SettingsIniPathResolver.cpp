#include "SettingsIniPathResolver.h"

#include "AppSettings.h"
#include "inidb/IniDocument.h"

SettingsIniPathResolver::SettingsIniPathResolver(RegistryStore &store, IniDocument &doc,
                                                 UserInterface &ui, FileQuestion askForFile)
    : m_store(store), m_doc(doc), m_ui(ui), m_askForFile(std::move(askForFile))
{
}

bool SettingsIniPathResolver::ResolveIniPath(const std::string &path)
{
    std::string chosen = path;
    if (chosen.empty()) {
        const std::optional<std::string> answer = m_askForFile();
        if (!answer)
            return false;
        chosen = *answer;
    }
    AppSettings settings(m_store);
    if (!settings.storeIniPath(chosen)) {
        ShowSettingsError(m_ui, m_store, settings.iniPathFailure());
        return false;
    }
    // What the settings hold is what counts, not what was asked for.
    m_doc.IniPath = settings.iniPath();
    return true;
}
