#include "WidgetUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace {

QMessageBox::Icon boxIcon(UserInterface::Icon icon)
{
    switch (icon) {
    case UserInterface::Icon::Question:
        return QMessageBox::Question;
    case UserInterface::Icon::Exclamation:
        return QMessageBox::Warning;
    case UserInterface::Icon::Stop:
        return QMessageBox::Critical;
    case UserInterface::Icon::Information:
        return QMessageBox::Information;
    case UserInterface::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box shown in the middle of a busy command still gets the normal pointer.
class NormalCursor final {
public:
    explicit NormalCursor(bool busy) : m_active(busy)
    {
        if (m_active)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;

private:
    bool m_active;
};

} // namespace

int WidgetUserInterface::showBox(QWidget *parent, Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons)
{
    const NormalCursor cursor(m_busyDepth > 0);
    QMessageBox box(boxIcon(icon), title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
    // Where Cancel is offered, Esc and the close box mean it, never No.
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    return box.exec();
}

bool WidgetUserInterface::askYesNo(QWidget *parent, const QString &title, const QString &text,
                                   Icon icon)
{
    return showBox(parent, icon, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

UserInterface::Answer WidgetUserInterface::askYesNoCancel(QWidget *parent, const QString &title,
                                                          const QString &text, Icon icon)
{
    switch (showBox(parent, icon, title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString WidgetUserInterface::askChoice(QWidget *parent, const QString &title, const QString &text,
                                       Icon icon, const QStringList &answers)
{
    const NormalCursor cursor(m_busyDepth > 0);
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton *> buttons;
    for (const QString &answer : answers)
        buttons.push_back(box.addButton(answer, QMessageBox::ActionRole));
    if (buttons.empty())
        return {};
    box.setDefaultButton(buttons.back());
    box.setEscapeButton(buttons.back());
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? answers.constLast() : answers[chosen - buttons.begin()];
}

void WidgetUserInterface::showError(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, Icon::Stop, title, text, QMessageBox::Ok);
}

void WidgetUserInterface::showNotice(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, Icon::Information, title, text, QMessageBox::Ok);
}

std::optional<QString> WidgetUserInterface::chooseFileToOpen(QWidget *parent,
                                                             const FileFilter &filter)
{
    const NormalCursor cursor(m_busyDepth > 0);
    return m_commonDialog.show(parent, CommonDialog::Mode::Open, filter);
}

std::optional<QString> WidgetUserInterface::chooseFileToSave(QWidget *parent,
                                                             const FileFilter &filter,
                                                             const QString &proposedPath,
                                                             const QString &neverOffer)
{
    const NormalCursor cursor(m_busyDepth > 0);
    return m_commonDialog.show(parent, CommonDialog::Mode::Save, filter, proposedPath, neverOffer);
}

void WidgetUserInterface::setBusy(bool busy)
{
    if (busy) {
        if (m_busyDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0 && --m_busyDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}
