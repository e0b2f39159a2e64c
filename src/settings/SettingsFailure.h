#pragma once

#include <cstdint>
#include <string>

class RegistryStore;
class UserInterface;

// A settings failure as the user is told of it.
struct SettingsFailure {
    std::int32_t number = 0;
    std::string description;
};

// The store's own trouble explains a failure best, since it names the store's file;
// without such trouble, the failure as recorded.
SettingsFailure PreferStoreFailure(RegistryStore &store, SettingsFailure recorded);

// "Error " + number + ": " + description, titled "Error", with the stop icon; the settings
// file is named too, so the user knows where to look.
void ShowSettingsError(UserInterface &ui, const RegistryStore &store, const SettingsFailure &failure);

// The same error, asking whether to reset valueName to defaultText and go on; true on Yes.
bool OfferSettingReset(UserInterface &ui, const RegistryStore &store, const SettingsFailure &failure,
                       const std::string &valueName, const std::string &defaultText);
