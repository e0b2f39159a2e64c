#pragma once

#include "inidb/IniReader.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// The unreadable lines the user has been told of for the open file. Reading the file back
// after a save meets the same kept lines again (perhaps at other line numbers), so a line is
// known by its text and what was used instead, and told only once.
class ShownProblems final {
public:
    // A new file is open: nothing of it has been told yet.
    void clear() { m_shown.clear(); }
    // The problems not told before, which count as told from now on.
    std::vector<LoadProblem> takeUnshown(const std::vector<LoadProblem> &problems);

private:
    std::multiset<std::pair<std::string, std::string>> m_shown;
};
