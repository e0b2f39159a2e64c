#pragma once

#include <cstddef>
#include <string>

struct Verdict;

// The merge in the main window on three generated files (a base, and mine and theirs each
// with a tenth of the entries changed, a hundredth in conflict): the merge dialog up after
// File > Merge Another ini File... (theirs and the base read) and after a save that found
// the open file changed by another program (the base kept in memory); OK applying the
// chosen result, and its undo.
struct MergeWindowFigures {
    double dialogFromMenu = 1e30;
    double dialogFromSave = 1e30;
    double apply = 1e30;
    double undo = 1e30;
};

MergeWindowFigures measureMergeInWindow(const std::string &folder, std::size_t blocks);
// Each figure against the bare load: the dialog within 2x, applying and undoing within 1x.
void reportMergeInWindow(Verdict &verdict, const MergeWindowFigures &figures, double load);
