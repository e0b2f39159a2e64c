#include "FindBar.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>

FindBar::FindBar(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto *label = new QLabel(QStringLiteral("Find:"), this);
    m_txtFind = new QLineEdit(this);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    m_txtFind->setPlaceholderText(QStringLiteral("Name, CRC, Comments or Info (Ctrl+F)"));
    m_txtFind->setClearButtonEnabled(true);
    // A file dropped here is meant for the window, not typed as text.
    m_txtFind->setAcceptDrops(false);
    m_txtFind->installEventFilter(this);
    label->setBuddy(m_txtFind);
    layout->addWidget(label);
    layout->addWidget(m_txtFind, 1);
    connect(m_txtFind, &QLineEdit::textChanged, this, &FindBar::findTextChanged);

    auto *clear = new QAction(m_txtFind);
    clear->setShortcut(QKeySequence(Qt::Key_Escape));
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, m_txtFind, &QLineEdit::clear);
    m_txtFind->addAction(clear);
    auto *toList = new QAction(m_txtFind);
    toList->setShortcut(QKeySequence(Qt::Key_Down));
    toList->setShortcutContext(Qt::WidgetShortcut);
    connect(toList, &QAction::triggered, this, &FindBar::downToList);
    m_txtFind->addAction(toList);
}

void FindBar::takeFocus()
{
    m_txtFind->setFocus(Qt::ShortcutFocusReason);
    m_txtFind->selectAll();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    // The searched texts are worked out as the box gets the focus, while the user starts
    // to type, so the first letter is as quick as the others.
    if (watched == m_txtFind && event->type() == QEvent::FocusIn)
        emit focused();
    return QWidget::eventFilter(watched, event);
}
