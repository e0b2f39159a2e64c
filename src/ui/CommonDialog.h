#pragma once

#include "UserInterface.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The program's one file dialog. Each use sets its own filter; the folder and the file
// name it was last left with carry over to the next use, open or save.
class CommonDialog final {
public:
    enum class Mode { Open, Save };

    // nullopt when the user cancelled. A save asks before replacing an existing file.
    std::optional<QString> show(QWidget *parent, Mode mode, const FileFilter &filter,
                                const QString &proposedPath = {}, const QString &neverOffer = {});

    // The filter first, then every file. Letters match in either case, so a file saved
    // as Velmoran.INI is offered as well as velmoran.ini.
    static QStringList nameFilters(const FileFilter &filter);
    static QString caseInsensitivePattern(const QString &pattern);

    // The path the dialog starts on: proposedPath, else the last chosen file, but never
    // neverOffer (then only its folder).
    QString offeredPath(const QString &proposedPath, const QString &neverOffer) const;
    void remember(const QString &chosenPath);

private:
    QString m_lastFolder;
    QString m_lastName;
};
