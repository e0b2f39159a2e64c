#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

void DescribeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Tamsic, the Velmoran ini Editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the velmoran.ini to open"),
                                 QStringLiteral("[FILE]"));
}

namespace {

// The exit code of a command line that cannot be obeyed (sysexits EX_USAGE).
constexpr int kBadArguments = 64;

// Options QApplication takes for itself, with or without a value (the value then reads
// as a file here, which does no harm: only unknown options are looked for).
bool isWindowSystemOption(const QString &name)
{
    static const QStringList names = {
        QStringLiteral("platform"),    QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),      QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"), QStringLiteral("reverse"),           QStringLiteral("session"),
        QStringLiteral("display"),     QStringLiteral("geometry"),           QStringLiteral("style"),
        QStringLiteral("stylesheet"),  QStringLiteral("widgetcount"),        QStringLiteral("qmljsdebugger"),
        QStringLiteral("name"),        QStringLiteral("title"),              QStringLiteral("visual"),
        QStringLiteral("nograb"),      QStringLiteral("dograb"),             QStringLiteral("sync")};
    return names.contains(name);
}

} // namespace

std::optional<int> AnswerInformationOptions(int argc, char **argv)
{
    // A plain core application names the program in the usage line without a display.
    int coreArgc = argc;
    const QCoreApplication core(coreArgc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // Qt's own options are single-dash words such as -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.parse(QCoreApplication::arguments());
    for (const QString &name : parser.unknownOptionNames()) {
        if (!isWindowSystemOption(name)) {
            std::fprintf(stderr, "%s: unknown option '%s'; see --help.\n", argv[0], name.toLocal8Bit().constData());
            return kBadArguments;
        }
    }
    QString answer;
    if (parser.isSet(QStringLiteral("help")))
        answer = parser.helpText();
    else if (parser.isSet(QStringLiteral("version")))
        answer = QCoreApplication::applicationName() + QLatin1Char(' ')
                 + QCoreApplication::applicationVersion() + QLatin1Char('\n');
    else
        return std::nullopt;
    std::fputs(answer.toLocal8Bit().constData(), stdout);
    return 0;
}
