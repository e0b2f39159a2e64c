#pragma once

#include "SettingsFailure.h"

#include <string>

class RegistryStore;

// The remembered ini path, the settings value "IniPath".
class IniPathSetting final {
public:
    explicit IniPathSetting(RegistryStore &store) : m_store(store) {}

    // False when the store refused; failure() then tells why.
    bool store(const std::string &path);
    // What the store holds; "" when nothing (or nothing readable) is stored.
    std::string read();

    const SettingsFailure &failure() const { return m_failure; }

private:
    RegistryStore &m_store;
    SettingsFailure m_failure;
};
