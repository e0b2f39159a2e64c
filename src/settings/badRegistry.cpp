#include "badRegistry.h"

#include "IniPathResolver.h"
#include "NumericText.h"
#include "Reg.h"
#include "SettingsFailure.h"
#include "inidb/IniDocument.h"

namespace badRegistry {

std::string ReadSettingText(Reg &reg, const char *valueName)
{
    return std::get<std::string>(reg.Query_Value(HKEY_LOCAL_MACHINE, SettingsKey, valueName));
}

bool WriteSettingText(Reg &reg, const char *valueName, const std::string &text)
{
    return reg.Set_Value(HKEY_LOCAL_MACHINE, SettingsKey, valueName, text, RegType::Text);
}

namespace {

const char *const FirstRunValue = "FirstRun";
const char *const IniPathValue = "IniPath";
const char *const AutoOpenValue = "AutoOpen";
const char *const SaveTypeValue = "SaveType";

bool createDefaults(Reg &reg)
{
    // Every step is tried even after a refusal, so whatever can be stored is.
    bool stored = reg.Set_Key(HKEY_LOCAL_MACHINE, SettingsKey);
    stored = WriteSettingText(reg, FirstRunValue, "1") && stored;
    stored = WriteSettingText(reg, IniPathValue, "") && stored;
    stored = WriteSettingText(reg, AutoOpenValue, "1") && stored;
    stored = WriteSettingText(reg, SaveTypeValue, "0") && stored;
    return stored;
}

// Only 0 and 1 mean something to the dialog and to the saver; anything else is the default.
std::int16_t optionFlag(const std::string &text, std::int16_t fallback)
{
    const std::optional<double> number = ParseNumber(text);
    if (number == 0.0)
        return 0;
    if (number == 1.0)
        return 1;
    return fallback;
}

void setGlobals(IniDocument &doc, const std::string &autoOpen, const std::string &saveType)
{
    doc.AutoOpen = optionFlag(autoOpen, 1);
    doc.SaveType = optionFlag(saveType, 0);
}

// What went wrong in reg's last call, told by the store when the store is the cause.
SettingsFailure lastFailure(RegistryStore &store, const Reg &reg)
{
    return PreferStoreFailure(store, {reg.ErrorNumber(), reg.ErrorDescription()});
}

} // namespace

bool CreateDefaultSettings(RegistryStore &store)
{
    Reg reg(store);
    return createDefaults(reg);
}

bool ReadStartupSettings(RegistryStore &store, IniDocument &doc, IniPathResolver &resolver,
                         UserInterface &ui)
{
    Reg reg(store);
    if (!reg.Query_Key(HKEY_LOCAL_MACHINE, SettingsKey) && !createDefaults(reg)) {
        ShowSettingsError(ui, store, lastFailure(store, reg));
        return false;
    }
    const std::string firstRun = ReadSettingText(reg, FirstRunValue);
    std::optional<double> firstRunNumber = ParseNumber(firstRun);
    if (!firstRunNumber) {
        // A value the store could not read is the store's failure, not an empty text.
        const bool unreadable = reg.ErrorExist() && !store.statusDescription(reg.ErrorNumber()).empty();
        const SettingsFailure failure =
            unreadable ? lastFailure(store, reg)
                       : PreferStoreFailure(store, {13, "Type mismatch: the setting \"FirstRun\" holds \""
                                                            + firstRun + "\", not a number."});
        // One damaged value in a sound store need not lock the user out: its default can
        // take its place. A store that cannot be read or written as a whole cannot help.
        if (store.health() != RegStatusCode::Success) {
            ShowSettingsError(ui, store, failure);
            return false;
        }
        if (!OfferSettingReset(ui, store, failure, FirstRunValue, "1"))
            return false;
        if (!WriteSettingText(reg, FirstRunValue, "1")) {
            ShowSettingsError(ui, store, lastFailure(store, reg));
            return false;
        }
        firstRunNumber = 1.0;
    }
    if (*firstRunNumber == 1.0) {
        // On cancel "FirstRun" stays "1", so the next start asks again.
        if (!resolver.ResolveIniPath(""))
            return false;
        WriteSettingText(reg, FirstRunValue, "0");
    }
    doc.IniPath = ReadSettingText(reg, IniPathValue);
    return true;
}

OptionSettings LoadOptionSettings(RegistryStore &store, IniDocument &doc)
{
    Reg reg(store);
    const std::string autoOpen = ReadSettingText(reg, AutoOpenValue);
    const std::string saveType = ReadSettingText(reg, SaveTypeValue);
    setGlobals(doc, autoOpen, saveType);
    return {doc.AutoOpen, doc.SaveType};
}

void SaveOptionSettings(RegistryStore &store, IniDocument &doc, const std::string &sAutoOpen,
                        const std::string &sSaveType)
{
    Reg reg(store);
    // A refusal is recorded by Reg and not reported: the globals still take the choice.
    WriteSettingText(reg, SaveTypeValue, sSaveType);
    WriteSettingText(reg, AutoOpenValue, sAutoOpen);
    setGlobals(doc, sAutoOpen, sSaveType);
}

} // namespace badRegistry
