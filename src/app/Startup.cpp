#include "Startup.h"

#include "MainWindow.h"
#include "settings/OptionsDialog.h"
#include "settings/badRegistry.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

#include <filesystem>
#include <system_error>

namespace {

// A file named at start answers the first start's question for the file, so nothing is asked.
class GivenFileFirst final : public IniPathResolver {
public:
    GivenFileFirst(IniPathResolver &resolver, const std::string &file) : m_resolver(resolver), m_file(file) {}

    bool ResolveIniPath(const std::string &path) override
    {
        return m_resolver.ResolveIniPath(path.empty() ? m_file : path);
    }

private:
    IniPathResolver &m_resolver;
    const std::string &m_file;
};

} // namespace

bool IniFileExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::unique_ptr<MainWindow> Main(IniDocument &doc, UserInterface &ui, RegistryStore &store,
                                 const std::string &fileToOpen)
{
    // The window exists, hidden, before the first dialog: it is the dialogs' parent.
    auto window = std::make_unique<MainWindow>(doc, ui, store);
    GivenFileFirst firstStart(window->iniPathResolver(), fileToOpen);
    IniPathResolver &resolver = fileToOpen.empty() ? window->iniPathResolver() : firstStart;
    if (!badRegistry::ReadStartupSettings(store, doc, resolver, ui))
        return nullptr;
    {
        // Loading the Options dialog reads AutoOpen and SaveType.
        const OptionsDialog options(store, doc);
    }
    if (!fileToOpen.empty()) {
        window->openIniFile(fileToOpen);
    } else if (doc.AutoOpen == 1) {
        bool askFirst = !IniFileExists(doc.IniPath);
        if (askFirst && !doc.IniPath.empty())
            ui.showError(window.get(), QStringLiteral("File Not Found"),
                         QStringLiteral("The ini file last edited, %1, is no longer there. "
                                        "Please choose your velmoran.ini.")
                             .arg(fromPath(doc.IniPath)));
        // A file that cannot be read is no reason to end: ask for another until one loads.
        for (;;) {
            if (askFirst && !window->iniPathResolver().ResolveIniPath({}))
                return nullptr;
            if (window->loadIniFile())
                break;
            askFirst = true;
        }
    }
    doc.PrintCancelled = false;
    window->show();
    return window;
}
