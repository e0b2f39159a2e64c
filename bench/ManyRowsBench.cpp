#include "ManyRowsBench.h"

#include "BenchFiles.h"
#include "BenchUserInterface.h"
#include "Timing.h"

#include "app/MainWindow.h"
#include "editing/frmProperties.h"
#include "settings/MemoryRegistryStore.h"
#include "settings/badRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <array>

namespace {

constexpr int kRuns = 5;
constexpr double kSelectAllTarget = 0.2;
constexpr double kManyRowsTarget = 1.0;

// Picks the comment in the properties dialog as soon as it is shown, and presses OK.
void answerPropertiesWith(const QString &comment)
{
    QTimer::singleShot(0, [comment] {
        auto *dialog = qobject_cast<frmProperties *>(QApplication::activeModalWidget());
        if (!dialog) {
            answerPropertiesWith(comment);
            return;
        }
        QComboBox &comments = *dialog->controls().cboComments;
        comments.setCurrentIndex(comments.findText(comment));
        dialog->cmdOK_Click();
    });
}

// A command as the user gives it: it runs, then the window handles what it queued.
double commandSeconds(const std::function<void()> &command)
{
    return secondsOf([&] {
        command();
        QApplication::processEvents();
    });
}

struct ManyRowsFigures {
    double selectAll = 1e30;
    double setComment = 1e30;
    double setCommentUndo = 1e30;
    double setCommentRedo = 1e30;
    double remove = 1e30;
    double removeUndo = 1e30;
};

ManyRowsFigures manyRowsFigures(MainWindow &window)
{
    QUndoStack &history = window.session().history();
    const std::array<QString, 4> comments{QStringLiteral("Not Playable"), QStringLiteral("Doesn't Work"),
                                         QStringLiteral("Almost Playable"), QStringLiteral("Playable")};
    ManyRowsFigures figures;
    for (int run = 0; run < kRuns; ++run) {
        window.FillRomList();
        QApplication::processEvents();
        figures.selectAll = std::min(figures.selectAll, commandSeconds([&] { window.selectAllCommand(); }));
        // Each run gives every row a comment none of them has.
        answerPropertiesWith(comments[static_cast<std::size_t>(run) % comments.size()]);
        figures.setComment = std::min(figures.setComment, commandSeconds([&] { window.viewRomPropertiesCommand(); }));
        figures.setCommentUndo = std::min(figures.setCommentUndo, commandSeconds([&] { history.undo(); }));
        figures.setCommentRedo = std::min(figures.setCommentRedo, commandSeconds([&] { history.redo(); }));
        window.selectAllCommand();
        figures.remove = std::min(figures.remove, commandSeconds([&] { window.removeRomEntryCommand(); }));
        figures.removeUndo = std::min(figures.removeUndo, commandSeconds([&] { history.undo(); }));
    }
    if (window.selectedEntries().size() != window.session().document().EntryTable.size())
        fail(IoStatus{1, "the undone removal did not select every row again"});
    return figures;
}

} // namespace

void timeManyRows(const std::string &path, double bareLoad, Verdict &verdict)
{
    IniDocument doc;
    BenchUserInterface ui;
    ui.yesTo = QStringLiteral("Confirm Delete");
    MemoryRegistryStore store;
    badRegistry::CreateDefaultSettings(store);
    MainWindow window(doc, ui, store);
    window.show();
    if (!window.iniPathResolver().ResolveIniPath(path) || !window.loadIniFile())
        fail(IoStatus{1, "the window could not open " + path});
    const ManyRowsFigures figures = manyRowsFigures(window);

    constexpr double ms = 1e3;
    const auto line = [&](const char *what, double seconds, double target) {
        verdict.line(what, seconds * ms, "ms", seconds / bareLoad, "bare load", target);
    };
    line("Select All", figures.selectAll, kSelectAllTarget);
    line("Comment on every row", figures.setComment, kManyRowsTarget);
    line("undo Comment on every row", figures.setCommentUndo, kManyRowsTarget);
    line("redo Comment on every row", figures.setCommentRedo, kManyRowsTarget);
    line("Remove every row", figures.remove, kManyRowsTarget);
    line("undo Remove every row", figures.removeUndo, kManyRowsTarget);
}
