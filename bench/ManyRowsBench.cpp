#include "ManyRowsBench.h"

#include "BenchFiles.h"
#include "BenchUserInterface.h"
#include "CommandTiming.h"
#include "Timing.h"

#include "app/MainWindow.h"
#include "app/RomListView.h"
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

// A command timed over the runs, after what must come before it.
struct TimedStep {
    const char *what;
    double target;
    std::function<void()> before;
    std::function<void()> command;
    double best = 1e30;
};

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

    QUndoStack &history = window.session().history();
    const std::array<QString, 4> comments{QStringLiteral("Not Playable"), QStringLiteral("Doesn't Work"),
                                         QStringLiteral("Almost Playable"), QStringLiteral("Playable")};
    std::size_t run = 0;
    const auto nothing = [] {};
    TimedStep steps[] = {
        // From a fresh list with nothing selected.
        {"Select All", kSelectAllTarget,
         [&] {
             window.FillRomList();
             window.findChild<RomListView *>()->clearSelection();
         },
         [&] { window.selectAllCommand(); }},
        // Each run gives every row a comment none of them has.
        {"Comment on every row", kManyRowsTarget, [&] { answerPropertiesWith(comments[run % comments.size()]); },
         [&] { window.viewRomPropertiesCommand(); }},
        {"undo Comment on every row", kManyRowsTarget, nothing, [&] { history.undo(); }},
        {"redo Comment on every row", kManyRowsTarget, nothing, [&] { history.redo(); }},
        {"Remove every row", kManyRowsTarget, [&] { window.selectAllCommand(); },
         [&] { window.removeRomEntryCommand(); }},
        {"undo Remove every row", kManyRowsTarget, nothing, [&] { history.undo(); }},
    };
    for (run = 0; run < kRuns; ++run) {
        for (TimedStep &step : steps) {
            step.before();
            QApplication::processEvents();
            step.best = std::min(step.best, commandSeconds(step.command));
        }
    }
    if (window.selectedEntries().size() != doc.EntryTable.size())
        fail(IoStatus{1, "the undone removal did not select every row again"});
    for (const TimedStep &step : steps)
        verdict.line(step.what, step.best * 1e3, "ms", step.best / bareLoad, "bare load", step.target);
}
