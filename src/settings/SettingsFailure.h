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

// "Error " + number + ": " + description, titled "Error", with the stop icon.
void ShowSettingsError(UserInterface &ui, const SettingsFailure &failure);
