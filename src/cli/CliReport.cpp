#include "CliReport.h"

#include "TerminalText.h"

#include <iostream>

// Everything printed that comes from a file or a path goes through ForTerminal.
void ListProblems(std::ostream &out, const std::string &path, const std::vector<LoadProblem> &problems)
{
    for (const LoadProblem &problem : problems)
        out << ForTerminal(path + ":" + std::to_string(problem.lineNumber) + ": \"" + problem.line
                           + (problem.lineRead ? "\": " : "\" could not be read; used ") + problem.whatWasUsed)
            << "\n";
}

Exit Failure(Exit code, const IoStatus &status)
{
    std::cerr << "tamsic-ini: " << ForTerminal(status.description) << "\n";
    return code;
}
