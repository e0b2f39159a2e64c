#include "MainWindow.h"
#include "Startup.h"
#include "inidb/IniDocument.h"
#include "settings/FileRegistryStore.h"
#include "ui/WidgetUserInterface.h"

#include <QApplication>

// The editor takes no command line of its own.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamsic"));
    IniDocument doc;
    WidgetUserInterface ui;
    const std::unique_ptr<RegistryStore> store = OpenUserSettingsStore();
    const std::unique_ptr<MainWindow> window = Main(doc, ui, *store);
    if (!window)
        return 0;
    return QApplication::exec();
}
