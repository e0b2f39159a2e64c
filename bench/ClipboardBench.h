#pragma once

class MainWindow;

struct ClipboardFigures {
    double copy = 1e30;
    double paste = 1e30;
    double undoPaste = 1e30;
};

// Copy of 10,000 rows selected in source, and their paste into target, whose file holds
// other CRCs, so all of them are added, and the undo of that paste. Before each paste
// target reads its file afresh.
// Each figure is its best over the runs.
ClipboardFigures clipboardSteps(MainWindow &source, MainWindow &target, int runs);
