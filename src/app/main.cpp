#include "CommandLine.h"
#include "MainWindow.h"
#include "Startup.h"
#include "inidb/IniDocument.h"
#include "settings/FileRegistryStore.h"
#include "ui/FileText.h"
#include "ui/WidgetUserInterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Tamsic"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAMSIC_VERSION));
    if (const std::optional<int> answered = AnswerInformationOptions(argc, argv))
        return *answered;
    QApplication app(argc, argv);
    // Ties the window to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tamsic"));
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    // Made absolute here: the path is remembered and must still hold from another folder.
    const std::string fileToOpen =
        files.isEmpty() ? std::string() : toPath(QFileInfo(files.constFirst()).absoluteFilePath());

    IniDocument doc;
    WidgetUserInterface ui;
    const std::unique_ptr<RegistryStore> store = OpenUserSettingsStore();
    const std::unique_ptr<MainWindow> window = Main(doc, ui, *store, fileToOpen);
    if (!window)
        return 0;
    return QApplication::exec();
}
