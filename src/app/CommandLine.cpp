#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

void DescribeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Tamsic, the Velmoran ini Editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the velmoran.ini to open"),
                                 QStringLiteral("[FILE]"));
}

std::optional<int> AnswerInformationOptions(int argc, char **argv)
{
    // A plain core application names the program in the usage line without a display.
    int coreArgc = argc;
    const QCoreApplication core(coreArgc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // Unknown options are reported once the window system has taken its own.
    parser.parse(QCoreApplication::arguments());
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
