#pragma once

#include "inidb/IniReader.h"
#include "inidb/IoStatus.h"

#include <ostream>
#include <string>
#include <vector>

// Exit codes, the same for every command.
enum class Exit : int {
    Clean = 0,
    LinesNotRead = 1,   // done, but some lines could not be read (listed)
    Conflicts = 1,      // merged, but both sides changed some values differently (listed)
    CannotOpen = 2,     // the input file cannot be read
    CannotWrite = 3,    // the output file was not written; it is as it was
    BadArguments = 64,
};

// One line per line of path the reader could not use as written.
void ListProblems(std::ostream &out, const std::string &path, const std::vector<LoadProblem> &problems);

// Tells what went wrong on standard error and gives code.
Exit Failure(Exit code, const IoStatus &status);
