#pragma once

#include "CommonDialog.h"
#include "UserInterface.h"

#include <QMessageBox>

// The real message boxes, the shared file dialog and the application's busy cursor.
class WidgetUserInterface final : public UserInterface {
public:
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
    void setBusy(bool busy) override;

    int busyDepth() const { return m_busyDepth; }

private:
    int showBox(QWidget *parent, Icon icon, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons);

    CommonDialog m_commonDialog;
    int m_busyDepth = 0;
};
