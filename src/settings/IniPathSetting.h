#pragma once

#include "Reg.h"

#include <cstdint>
#include <string>

class RegistryStore;

// The remembered ini path, the settings value "IniPath".
class IniPathSetting final {
public:
    explicit IniPathSetting(RegistryStore &store) : m_store(store) {}

    // False when the store refused; errorNumber()/errorDescription() then tell why.
    bool store(const std::string &path);
    // What the store holds; "" when nothing (or nothing readable) is stored.
    std::string read();

    std::int32_t errorNumber() const { return m_errorNumber; }
    const std::string &errorDescription() const { return m_errorDescription; }

private:
    RegistryStore &m_store;
    std::int32_t m_errorNumber = 0;
    std::string m_errorDescription;
};
