#include "UndoMenu.h"

#include "DocumentSession.h"
#include "ui/FileText.h"

#include <QAction>
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

UndoMenu::UndoMenu(QMenu &mnuUndo, DocumentSession &session, QObject *parent)
    : QObject(parent), m_menu(mnuUndo), m_session(session)
{
    m_placeholder = m_menu.addAction(QStringLiteral("No Undo Available"));
    m_placeholder->setObjectName(ElementName);
    m_placeholder->setEnabled(false);
    for (const auto announcement : {&DocumentSession::entriesRemoved, &DocumentSession::entriesRestored,
                                    &DocumentSession::entriesInserted, &DocumentSession::entriesErased})
        connect(&session, announcement, this, &UndoMenu::update);
    connect(&session, &DocumentSession::documentReset, this, &UndoMenu::update);
}

void UndoMenu::update()
{
    const IniDocument &doc = m_session.document();
    while (m_elements.size() < doc.UndoList.size()) {
        const std::size_t recordIndex = m_elements.size();
        QAction *element = m_menu.addAction(menuCaption(doc.Encoding, doc.UndoList[recordIndex].Name));
        element->setObjectName(ElementName);
        connect(element, &QAction::triggered, this, [this, recordIndex] { restore(recordIndex); });
        m_elements.push_back(element);
    }
    bool any = false;
    for (std::size_t recordIndex = 0; recordIndex < m_elements.size(); ++recordIndex) {
        const bool can = canRestore(recordIndex);
        m_elements[recordIndex]->setEnabled(can);
        any = any || can;
    }
    m_placeholder->setVisible(!any);
}

bool UndoMenu::canRestore(std::size_t recordIndex) const
{
    const IniDocument &doc = m_session.document();
    const UndoRecord &record = doc.UndoList[recordIndex];
    return record.loadGeneration == doc.LoadGeneration && record.entryIndex < doc.EntryTable.size()
           && doc.EntryTable[record.entryIndex].Removed;
}

void UndoMenu::restore(std::size_t recordIndex)
{
    // A stale trigger of an element that can no longer restore changes nothing.
    if (canRestore(recordIndex))
        m_session.restoreEntries({m_session.document().UndoList[recordIndex].entryIndex});
}
