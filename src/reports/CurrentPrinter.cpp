#include "CurrentPrinter.h"

#include <QPrinterInfo>

#include <optional>

namespace {

std::optional<QString> &Chosen()
{
    static std::optional<QString> chosen;
    return chosen;
}

} // namespace

QString CurrentPrinter::name()
{
    // Until the user picks one, follow the system default as it is now.
    if (Chosen())
        return *Chosen();
    return QPrinterInfo::defaultPrinter().printerName();
}

void CurrentPrinter::choose(const QString &printerName)
{
    Chosen() = printerName;
}
