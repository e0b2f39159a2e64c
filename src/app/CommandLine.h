#pragma once

class QCommandLineParser;

// The editor's command line: --help, --version and the ini file to open.
void DescribeCommandLine(QCommandLineParser &parser);

// Answers --help and --version on the terminal and ends the program; returns when neither
// was given. Runs before the window system is reached, so it needs no display; Qt's own
// options (-style, -platform) are left to QApplication.
void AnswerInformationOptions(int argc, char **argv);
