#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// One filter entry of a file dialog, as "description|pattern" (e.g. "Compat.txt|compat.txt").
struct FileFilter {
    QString description;
    QString pattern;
    // The dialog's caption when it should say what to choose; empty keeps the usual one.
    QString title = {};
};

// The message boxes, file dialogs and busy cursor the commands use. The windows call
// them through this interface so that tests can answer from a script.
class UserInterface {
public:
    enum class Icon { None, Question, Exclamation, Stop, Information };
    enum class Answer { Yes, No, Cancel };

    virtual ~UserInterface() = default;

    // A Yes/No box; true only when the user answered Yes.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &text, Icon icon) = 0;
    // A Yes/No/Cancel box; Esc and the close box answer Cancel.
    virtual Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text,
                                  Icon icon) = 0;
    // A box with a button per answer, in that order; gives the answer chosen. The last
    // should change nothing: it is the default, and what Esc and the close box give, so
    // no reflex on Enter writes over anything.
    virtual QString askChoice(QWidget *parent, const QString &title, const QString &text, Icon icon,
                              const QStringList &answers) = 0;
    // An OK box with the stop icon.
    virtual void showError(QWidget *parent, const QString &title, const QString &text) = 0;
    // An OK box with the information icon: something to know, nothing went wrong.
    virtual void showNotice(QWidget *parent, const QString &title, const QString &text) = 0;
    // The open-file dialog; nullopt when the user cancelled.
    virtual std::optional<QString> chooseFileToOpen(QWidget *parent, const FileFilter &filter) = 0;
    // The save-file dialog, which asks before overwriting; nullopt when the user cancelled.
    // The dialog offers proposedPath, or else the name it was last left with, but never
    // neverOffer (the open ini file must not be one careless Enter away from a report).
    virtual std::optional<QString> chooseFileToSave(QWidget *parent, const FileFilter &filter,
                                                    const QString &proposedPath = {},
                                                    const QString &neverOffer = {}) = 0;
    virtual void setBusy(bool busy) = 0;
};

// Shows the busy cursor for its lifetime, so every way out of a command restores it.
class BusyCursor final {
public:
    explicit BusyCursor(UserInterface &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyCursor() { m_ui.setBusy(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    UserInterface &m_ui;
};
