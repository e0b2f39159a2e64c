#include "SettingsFailure.h"

#include "Reg.h"
#include "ui/UserInterface.h"

SettingsFailure PreferStoreFailure(RegistryStore &store, SettingsFailure recorded)
{
    const RegStatus health = store.health();
    if (health == RegStatusCode::Success)
        return recorded;
    return {health, RegStatusDescription(health, store)};
}

void ShowSettingsError(UserInterface &ui, const SettingsFailure &failure)
{
    ui.showError(nullptr, QStringLiteral("Error"),
                 QStringLiteral("Error %1: %2")
                     .arg(failure.number)
                     .arg(QString::fromLocal8Bit(failure.description)));
}
