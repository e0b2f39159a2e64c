#pragma once

#include "ui/WidgetUserInterface.h"

#include <deque>

// The real busy cursor, but no dialog: the benchmark answers only yesTo and the choices
// and files it scripted, so any other message or file dialog ends it with what was to be shown.
class BenchUserInterface final : public UserInterface {
public:
    std::deque<QString> choiceAnswers;
    std::deque<QString> fileAnswers;

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
    void setBusy(bool busy) override { m_widgets.setBusy(busy); }

    // The title of the one question the benchmark answers Yes to, when it asks any.
    QString yesTo;

private:
    WidgetUserInterface m_widgets;
};
