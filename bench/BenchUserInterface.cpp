#include "BenchUserInterface.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {

[[noreturn]] void unexpected(const char *kind, const QString &title, const QString &text)
{
    std::fprintf(stderr, "tamsic_bench_gui: unexpected %s \"%s\": %s\n", kind, qPrintable(title),
                 qPrintable(text));
    std::exit(2);
}

// The next scripted answer, or the end of the benchmark.
QString scripted(std::deque<QString> &answers, const char *kind, const QString &title, const QString &text)
{
    if (answers.empty())
        unexpected(kind, title, text);
    QString answer = answers.front();
    answers.pop_front();
    return answer;
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
    return scripted(choiceAnswers, "question", title, text);
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
    return scripted(fileAnswers, "open dialog", filter.description, filter.pattern);
}

std::optional<QString> BenchUserInterface::chooseFileToSave(QWidget *, const FileFilter &filter, const QString &,
                                                            const QString &)
{
    unexpected("save dialog", filter.description, filter.pattern);
}
