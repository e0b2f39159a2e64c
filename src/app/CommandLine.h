#pragma once

#include <optional>

class QCommandLineParser;

// The editor's command line: --help, --version and the ini file to open.
void DescribeCommandLine(QCommandLineParser &parser);

// Answers --help and --version on the terminal, or refuses an unknown option there, and
// gives the program's exit code; nothing when none of these was given. Runs before the
// window system is reached, so it needs no display; Qt's own options (-style, -platform)
// are left to QApplication.
std::optional<int> AnswerInformationOptions(int argc, char **argv);
