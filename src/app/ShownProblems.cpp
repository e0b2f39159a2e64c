#include "ShownProblems.h"

std::vector<LoadProblem> ShownProblems::takeUnshown(const std::vector<LoadProblem> &problems)
{
    // Each line told before accounts for one of its copies now; the rest are new.
    auto told = m_shown;
    std::vector<LoadProblem> unshown;
    for (const LoadProblem &problem : problems) {
        const auto known = told.find({problem.line, problem.whatWasUsed});
        if (known != told.end()) {
            told.erase(known);
            continue;
        }
        unshown.push_back(problem);
        m_shown.insert({problem.line, problem.whatWasUsed});
    }
    return unshown;
}
