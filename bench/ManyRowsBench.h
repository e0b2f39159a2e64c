#pragma once

#include <string>

struct Verdict;

// Commands over every row of the file at path, in a shown main window, against the bare
// load: Select All; Comment set on all of them through the properties dialog, its undo
// and redo; Remove of all of them and its undo.
void timeManyRows(const std::string &path, double bareLoad, Verdict &verdict);
