#pragma once

#include "inidb/IniReader.h"

#include <QString>

#include <string>
#include <vector>

// "Error N: description", for a file that could not be read or written.
QString IoErrorText(const IoStatus &status);

// The message about lines of path a load could not read: the first few, each cut to a
// readable length, and how many more there are.
QString LoadProblemsText(const std::string &path, TextEncoding encoding, const std::vector<LoadProblem> &problems);
