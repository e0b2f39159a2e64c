#include "ClipboardBench.h"

#include "CommandTiming.h"

#include "app/MainWindow.h"
#include "app/RomListView.h"

#include <QApplication>
#include <QItemSelectionModel>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCopiedRows = 10000;

// The rows a shift-click would select, from the middle of the list.
void selectRows(MainWindow &window)
{
    const RomSortFilterProxy &rows = window.proxy();
    const int first = std::max(0, (rows.rowCount() - kCopiedRows) / 2);
    const int last = std::min(rows.rowCount(), first + kCopiedRows) - 1;
    window.findChild<RomListView *>()->selectionModel()->select(
        QItemSelection(rows.index(first, 0), rows.index(last, rows.columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

} // namespace

ClipboardFigures clipboardSteps(MainWindow &source, MainWindow &target, int runs)
{
    ClipboardFigures figures;
    selectRows(source);
    for (int run = 0; run < runs; ++run) {
        figures.copy = std::min(figures.copy, commandSeconds([&] { source.copyCommand(); }));
        target.loadIniFile();
        QApplication::processEvents();
        const std::size_t before = target.session().document().EntryTable.size();
        figures.paste = std::min(figures.paste, commandSeconds([&] { target.pasteCommand(); }));
        if (target.session().document().EntryTable.size() != before + static_cast<std::size_t>(kCopiedRows)) {
            std::fprintf(stderr, "tamsic_bench_gui: the paste did not add %d ROMs\n", kCopiedRows);
            std::exit(2);
        }
        figures.undoPaste = std::min(figures.undoPaste, commandSeconds([&] { target.session().history().undo(); }));
        if (target.session().document().EntryTable.size() != before) {
            std::fprintf(stderr, "tamsic_bench_gui: the undo did not take the pasted ROMs away\n");
            std::exit(2);
        }
    }
    return figures;
}
