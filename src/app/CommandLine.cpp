#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

void DescribeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Tamsic, the Velmoran ini Editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the velmoran.ini to open"),
                                 QStringLiteral("[FILE]"));
}

void AnswerInformationOptions(int argc, char **argv)
{
    // A plain core application names the program in the usage line without a display.
    int coreArgc = argc;
    const QCoreApplication core(coreArgc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // Unknown options are reported once the window system has taken its own.
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}
