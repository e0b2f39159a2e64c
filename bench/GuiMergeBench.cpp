#include "GuiMergeBench.h"

#include "BenchFiles.h"
#include "BenchUserInterface.h"
#include "MergeBenchFiles.h"
#include "Timing.h"

#include "app/MainWindow.h"
#include "app/MergeDialog.h"
#include "inidb/FileSystem.h"
#include "settings/MemoryRegistryStore.h"
#include "settings/badRegistry.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

namespace {

constexpr int kRuns = 5;
constexpr double kDialogTarget = 2.0;
constexpr double kStepTarget = 1.0;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct DialogTimes {
    double shown = 0;
    // From OK to the command's end, the list laid out.
    double afterAnswer = 0;
};

// Runs command until the merge dialog it opens is up, answers it with OK or Cancel and
// lets the command end.
DialogTimes timeMergeDialog(const std::function<void()> &command, bool ok)
{
    DialogTimes times;
    Clock::time_point answered;
    QTimer poll;
    poll.setInterval(0);
    const Clock::time_point start = Clock::now();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<MergeDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        // Laid out and painted, as the user sees it.
        dialog->repaint();
        times.shown = secondsSince(start);
        answered = Clock::now();
        ok ? dialog->accept() : dialog->reject();
    });
    poll.start();
    command();
    QApplication::processEvents();
    if (times.shown == 0)
        fail(IoStatus{1, "the merge dialog did not come up"});
    times.afterAnswer = secondsSince(answered);
    return times;
}

} // namespace

MergeWindowFigures measureMergeInWindow(const std::string &folder, std::size_t blocks)
{
    const MergeBenchFiles files = writeMergeBenchFiles(folder, blocks);
    // The open file is a copy of mine, so that another program can change it.
    const std::string open = folder + "/open.ini";
    const IoValue<std::string> mine = DefaultFileSystem().ReadWholeFile(files.mine);
    const IoValue<std::string> theirs = DefaultFileSystem().ReadWholeFile(files.theirs);
    writeAndFlush(open, mine.value);

    IniDocument doc;
    BenchUserInterface ui;
    MemoryRegistryStore store;
    badRegistry::CreateDefaultSettings(store);
    MainWindow window(doc, ui, store);
    window.show();
    if (!window.iniPathResolver().ResolveIniPath(open) || !window.loadIniFile())
        fail(IoStatus{1, "the window did not open " + open});
    QApplication::processEvents();
    QAction *merge = window.findChild<QAction *>(QStringLiteral("mnuMerge"));
    MergeWindowFigures figures;
    for (int run = 0; run < kRuns; ++run) {
        ui.fileAnswers = {QString::fromStdString(files.theirs), QString::fromStdString(files.base)};
        ui.choiceAnswers = {QStringLiteral("Choose Base...")};
        const DialogTimes times = timeMergeDialog([&] { merge->trigger(); }, true);
        figures.dialogFromMenu = std::min(figures.dialogFromMenu, times.shown);
        figures.apply = std::min(figures.apply, times.afterAnswer);
        figures.undo = std::min(figures.undo, secondsOf([&] {
            window.session().history().undo();
            QApplication::processEvents();
        }));
    }
    writeAndFlush(open, theirs.value);
    for (int run = 0; run < kRuns; ++run) {
        ui.choiceAnswers = {QStringLiteral("Merge")};
        // Cancel in the dialog: nothing is written, and the next save asks again.
        figures.dialogFromSave =
            std::min(figures.dialogFromSave, timeMergeDialog([&] { window.saveCommand(); }, false).shown);
    }
    return figures;
}

void reportMergeInWindow(Verdict &verdict, const MergeWindowFigures &figures, double load)
{
    constexpr double ms = 1e3;
    verdict.line("merge dialog, from File", figures.dialogFromMenu * ms, "ms", figures.dialogFromMenu / load,
                 "bare load", kDialogTarget);
    verdict.line("merge dialog, from a save", figures.dialogFromSave * ms, "ms", figures.dialogFromSave / load,
                 "bare load", kDialogTarget);
    verdict.line("apply the merge", figures.apply * ms, "ms", figures.apply / load, "bare load", kStepTarget);
    verdict.line("undo the merge", figures.undo * ms, "ms", figures.undo / load, "bare load", kStepTarget);
}
