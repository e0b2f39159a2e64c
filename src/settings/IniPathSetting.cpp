#include "IniPathSetting.h"

#include "Reg.h"
#include "badRegistry.h"

namespace {
const char *const IniPathValue = "IniPath";
}

bool IniPathSetting::store(const std::string &path)
{
    Reg reg(m_store);
    if (reg.Set_Value(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey, IniPathValue, path,
                      RegType::Text))
        return true;
    m_failure = PreferStoreFailure(m_store, {reg.ErrorNumber(), reg.ErrorDescription()});
    return false;
}

std::string IniPathSetting::read()
{
    Reg reg(m_store);
    return std::get<std::string>(
        reg.Query_Value(HKEY_LOCAL_MACHINE, badRegistry::SettingsKey, IniPathValue));
}
