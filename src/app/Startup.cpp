#include "Startup.h"

#include "MainWindow.h"
#include "settings/OptionsDialog.h"
#include "settings/badRegistry.h"

#include <filesystem>
#include <system_error>

bool IniFileExists(const std::string &path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::unique_ptr<MainWindow> Main(IniDocument &doc, UserInterface &ui, RegistryStore &store)
{
    // The window exists, hidden, before the first dialog: it is the dialogs' parent.
    auto window = std::make_unique<MainWindow>(doc, ui, store);
    if (!badRegistry::ReadStartupSettings(store, doc, window->iniPathResolver(), ui))
        return nullptr;
    {
        // Loading the Options dialog reads AutoOpen and SaveType.
        const OptionsDialog options(store, doc);
    }
    if (doc.AutoOpen == 1) {
        bool askFirst = !IniFileExists(doc.IniPath);
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
