#include "BenchUserInterface.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void unexpected(const char *kind, const QString &title, const QString &text)
{
    std::fprintf(stderr, "tamsic_bench_gui: unexpected %s \"%s\": %s\n", kind, qPrintable(title),
                 qPrintable(text));
    std::exit(2);
}

} // namespace

bool BenchUserInterface::askYesNo(QWidget *, const QString &title, const QString &text, Icon)
{
    if (!yesTo.isEmpty() && title == yesTo)
        return true;
    unexpected("question", title, text);
}

UserInterface::Answer BenchUserInterface::askYesNoCancel(QWidget *, const QString &title,
                                                         const QString &text, Icon)
{
    unexpected("question", title, text);
}

QString BenchUserInterface::askChoice(QWidget *, const QString &title, const QString &text, Icon,
                                      const QStringList &)
{
    unexpected("question", title, text);
}

void BenchUserInterface::showError(QWidget *, const QString &title, const QString &text)
{
    unexpected("message", title, text);
}

void BenchUserInterface::showNotice(QWidget *, const QString &title, const QString &text)
{
    unexpected("message", title, text);
}

std::optional<QString> BenchUserInterface::chooseFileToOpen(QWidget *, const FileFilter &filter)
{
    unexpected("open dialog", filter.description, filter.pattern);
}

std::optional<QString> BenchUserInterface::chooseFileToSave(QWidget *, const FileFilter &filter, const QString &,
                                                            const QString &)
{
    unexpected("save dialog", filter.description, filter.pattern);
}
