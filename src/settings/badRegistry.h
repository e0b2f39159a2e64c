#pragma once

#include <cstdint>
#include <string>

class Reg;
class RegistryStore;
class IniPathResolver;
class UserInterface;
struct IniDocument;

// The application's own settings: the key and its four text values.
namespace badRegistry {

inline constexpr const char *SettingsKey = "Software\\Velmoran ini Editor";

// One text value of the settings key; "" when it is missing.
std::string ReadSettingText(Reg &reg, const char *valueName);
// Stores one text value of the settings key; false when the store refused it.
bool WriteSettingText(Reg &reg, const char *valueName, const std::string &text);

// What the Options dialog shows: AutoOpen 0 or 1, SaveType 0 or 1.
struct OptionSettings {
    std::int16_t autoOpen = 1;
    std::int16_t saveType = 0;
};

// Creates the key with "FirstRun" "1", "IniPath" "", "AutoOpen" "1", "SaveType" "0".
// False when the store refused any of it.
bool CreateDefaultSettings(RegistryStore &store);

// Run once at start-up: creates the defaults when the key is missing, asks for the ini
// file at the first start, and reads "IniPath" into doc.IniPath. False (after showing
// an "Error" message, unless the user cancelled the file question) ends the program.
bool ReadStartupSettings(RegistryStore &store, IniDocument &doc, IniPathResolver &resolver,
                         UserInterface &ui);

// Reads "AutoOpen" and "SaveType" into doc.AutoOpen and doc.SaveType and returns them;
// a stored text other than 0 or 1 reads as the default.
OptionSettings LoadOptionSettings(RegistryStore &store, IniDocument &doc);

// Stores both texts ("0" or "1") and sets doc.AutoOpen and doc.SaveType from them.
void SaveOptionSettings(RegistryStore &store, IniDocument &doc, const std::string &sAutoOpen,
                        const std::string &sSaveType);

} // namespace badRegistry
