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

namespace {

QString errorText(const RegistryStore &store, const SettingsFailure &failure)
{
    QString text = QStringLiteral("Error %1: %2")
                       .arg(failure.number)
                       .arg(QString::fromLocal8Bit(failure.description));
    const std::string location = store.location();
    if (failure.description.find(location) == std::string::npos)
        text += QStringLiteral("\nSettings file: %1").arg(QString::fromLocal8Bit(location));
    return text;
}

} // namespace

void ShowSettingsError(UserInterface &ui, const RegistryStore &store, const SettingsFailure &failure)
{
    ui.showError(nullptr, QStringLiteral("Error"), errorText(store, failure));
}

bool OfferSettingReset(UserInterface &ui, const RegistryStore &store, const SettingsFailure &failure,
                       const std::string &valueName, const std::string &defaultText)
{
    return ui.askYesNo(nullptr, QStringLiteral("Error"),
                       errorText(store, failure)
                           + QStringLiteral("\n\nReset \"%1\" to its default \"%2\" and go on?")
                                 .arg(QString::fromLocal8Bit(valueName),
                                      QString::fromLocal8Bit(defaultText)),
                       UserInterface::Icon::Stop);
}
