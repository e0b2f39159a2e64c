#include "IniPathSetting.h"

#include "Reg.h"
#include "badRegistry.h"

namespace {
const char *const IniPathValue = "IniPath";
}

bool IniPathSetting::store(const std::string &path)
{
    Reg reg(m_store);
    if (badRegistry::WriteSettingText(reg, IniPathValue, path))
        return true;
    m_failure = PreferStoreFailure(m_store, {reg.ErrorNumber(), reg.ErrorDescription()});
    return false;
}

std::string IniPathSetting::read()
{
    Reg reg(m_store);
    return badRegistry::ReadSettingText(reg, IniPathValue);
}
