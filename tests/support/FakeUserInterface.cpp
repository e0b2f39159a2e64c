#include "FakeUserInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

// The next scripted answer; a question or dialog nobody scripted fails the test and gets
// `unscripted` (a scripted nullopt is the user's cancel of a file dialog).
template <typename T>
T nextAnswer(std::deque<T> &answers, const QString &title, const QString &text, T unscripted)
{
    if (answers.empty()) {
        ADD_FAILURE() << "nothing scripted for " << title.toStdString() << " / " << text.toStdString();
        return unscripted;
    }
    const T answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

bool FakeUserInterface::askYesNo(QWidget *, const QString &title, const QString &text, Icon)
{
    shown.push_back({QStringLiteral("question"), title, text});
    return nextAnswer(yesNoAnswers, title, text, false);
}

UserInterface::Answer FakeUserInterface::askYesNoCancel(QWidget *, const QString &title,
                                                        const QString &text, Icon)
{
    shown.push_back({QStringLiteral("question"), title, text});
    return nextAnswer(yesNoCancelAnswers, title, text, Answer::Cancel);
}

QString FakeUserInterface::askChoice(QWidget *, const QString &title, const QString &text, Icon,
                                     const QStringList &answers)
{
    shown.push_back({QStringLiteral("question"), title, text, answers});
    const QString answer = nextAnswer(choiceAnswers, title, text, answers.constLast());
    EXPECT_TRUE(answers.contains(answer)) << answer.toStdString() << " is no answer to " << text.toStdString();
    return answer;
}

void FakeUserInterface::showError(QWidget *, const QString &title, const QString &text)
{
    shown.push_back({QStringLiteral("error"), title, text});
}

void FakeUserInterface::showNotice(QWidget *, const QString &title, const QString &text)
{
    shown.push_back({QStringLiteral("notice"), title, text});
}

std::optional<QString> FakeUserInterface::chooseFileToOpen(QWidget *, const FileFilter &filter)
{
    shown.push_back({QStringLiteral("open"), filter.description, filter.pattern});
    return nextAnswer(fileAnswers, QStringLiteral("open dialog"), filter.description, {});
}

std::optional<QString> FakeUserInterface::chooseFileToSave(QWidget *, const FileFilter &filter,
                                                           const QString &proposedPath,
                                                           const QString &neverOffer)
{
    proposedPaths.push_back(proposedPath);
    neverOffered.push_back(neverOffer);
    shown.push_back({QStringLiteral("save"), filter.description, filter.pattern});
    return nextAnswer(fileAnswers, QStringLiteral("save dialog"), filter.description, {});
}

std::vector<FakeUserInterface::Shown> FakeUserInterface::ofKind(const QString &kind) const
{
    std::vector<Shown> result;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(result), [&](const Shown &s) { return s.kind == kind; });
    return result;
}
