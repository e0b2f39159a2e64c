#include "UndoMenu.h"

#include "inidb/IniDocument.h"
#include "ui/FileText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

namespace {

const QString ElementName = QStringLiteral("mnuUndoItem");

// A name like "Banjo & Kazooie" must not turn into an access key.
QString menuCaption(TextEncoding encoding, const std::string &name)
{
    return fromFileText(encoding, name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

UndoMenu::UndoMenu(QMenu &mnuUndo, IniDocument &doc, QObject *parent)
    : QObject(parent), m_menu(mnuUndo), m_doc(doc)
{
    QAction *placeholder = m_menu.addAction(QStringLiteral("No Undo Available"));
    placeholder->setObjectName(ElementName);
    placeholder->setEnabled(false);
}

void UndoMenu::AddUndoRecords()
{
    while (m_elements.size() < m_doc.UndoList.size()) {
        const std::size_t recordIndex = m_elements.size();
        QAction *element = m_menu.addAction(menuCaption(m_doc.Encoding, m_doc.UndoList[recordIndex].Name));
        element->setObjectName(ElementName);
        element->setEnabled(canRestore(recordIndex));
        connect(element, &QAction::triggered, this,
                [this, element, recordIndex] { restore(*element, recordIndex); });
        m_elements.push_back(element);
    }
    markNextUndo();
}

void UndoMenu::documentReloaded()
{
    for (std::size_t recordIndex = 0; recordIndex < m_elements.size(); ++recordIndex) {
        if (!canRestore(recordIndex))
            m_elements[recordIndex]->setEnabled(false);
    }
    markNextUndo();
}

void UndoMenu::undoLastRemoval()
{
    if (QAction *element = nextUndo())
        element->trigger();
}

QAction *UndoMenu::nextUndo() const
{
    const auto newest = std::find_if(m_elements.rbegin(), m_elements.rend(),
                                     [](const QAction *element) { return element->isEnabled(); });
    return newest == m_elements.rend() ? nullptr : *newest;
}

void UndoMenu::markNextUndo()
{
    // The window owns the working shortcut; in the menu it only shows which entry it takes
    // back (and works while the menu is open).
    QAction *next = nextUndo();
    for (QAction *element : m_elements) {
        element->setShortcutContext(Qt::WidgetShortcut);
        element->setShortcut(element == next ? QKeySequence(Qt::CTRL | Qt::Key_Z) : QKeySequence());
    }
}

bool UndoMenu::canRestore(std::size_t recordIndex) const
{
    const UndoRecord &record = m_doc.UndoList[recordIndex];
    return record.loadGeneration == m_doc.LoadGeneration && record.entryIndex < m_doc.EntryTable.size()
           && m_doc.EntryTable[record.entryIndex].Removed;
}

void UndoMenu::restore(QAction &element, std::size_t recordIndex)
{
    // An element restores once; a stale trigger of a used or dropped one changes nothing.
    if (!element.isEnabled() || !canRestore(recordIndex))
        return;
    const std::size_t entryIndex = m_doc.UndoList[recordIndex].entryIndex;
    m_doc.EntryTable[entryIndex].Removed = false;
    element.setEnabled(false);
    markNextUndo();
    emit entryRestored(entryIndex);
}
