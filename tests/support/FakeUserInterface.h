#pragma once

#include "ui/UserInterface.h"

#include <deque>
#include <optional>
#include <vector>

// A scripted stand-in for the real dialogs: answers come from queues the test fills,
// and everything shown is recorded. A question nobody scripted fails the test.
class FakeUserInterface final : public UserInterface {
public:
    struct Shown {
        QString kind; // "question", "error", "notice", "open", "save"
        QString title;
        QString text;
        QStringList answers = {}; // the buttons of a choice
    };

    std::deque<bool> yesNoAnswers;
    std::deque<Answer> yesNoCancelAnswers;
    std::deque<QString> choiceAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::vector<Shown> shown;
    std::vector<QString> proposedPaths;
    std::vector<QString> neverOffered;
    int busyDepth = 0;

    bool askYesNo(QWidget *parent, const QString &title, const QString &text, Icon icon) override;
    Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text,
                          Icon icon) override;
    QString askChoice(QWidget *parent, const QString &title, const QString &text, Icon icon,
                      const QStringList &answers) override;
    void showError(QWidget *parent, const QString &title, const QString &text) override;
    void showNotice(QWidget *parent, const QString &title, const QString &text) override;
    std::optional<QString> chooseFileToOpen(QWidget *parent, const FileFilter &filter) override;
    std::optional<QString> chooseFileToSave(QWidget *parent, const FileFilter &filter,
                                            const QString &proposedPath,
                                            const QString &neverOffer) override;
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }

    std::vector<Shown> errors() const { return ofKind(QStringLiteral("error")); }
    std::vector<Shown> questions() const { return ofKind(QStringLiteral("question")); }

private:
    std::vector<Shown> ofKind(const QString &kind) const;
};
