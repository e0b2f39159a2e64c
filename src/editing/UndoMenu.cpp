#include "UndoMenu.h"

#include "DocumentSession.h"
#include "ui/FileText.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

const QString ElementName = QStringLiteral("mnuUndoItem");
// A menu of more lines than a screen holds is no help, and thousands take seconds to build.
constexpr std::size_t ListedRemovals = 50;

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
    m_earlier = m_menu.addAction(QString());
    m_earlier->setObjectName(QStringLiteral("mnuUndoEarlier"));
    m_earlier->setEnabled(false);
    m_earlier->setVisible(false);
    for (const auto announcement : {&DocumentSession::entriesRemoved, &DocumentSession::entriesRestored,
                                    &DocumentSession::entriesInserted, &DocumentSession::entriesErased})
        connect(&session, announcement, this, &UndoMenu::update);
    connect(&session, &DocumentSession::documentReset, this, &UndoMenu::update);
}

void UndoMenu::update()
{
    const IniDocument &doc = m_session.document();
    const std::size_t records = doc.UndoList.size();
    const std::size_t firstListed = records > ListedRemovals ? records - ListedRemovals : 0;
    for (; m_firstListed < firstListed && !m_elements.empty(); ++m_firstListed) {
        delete m_elements.front();
        m_elements.pop_front();
    }
    if (m_elements.empty())
        m_firstListed = firstListed;
    while (m_firstListed + m_elements.size() < records) {
        const std::size_t recordIndex = m_firstListed + m_elements.size();
        QAction *element = m_menu.addAction(menuCaption(doc.Encoding, doc.UndoList[recordIndex].Name));
        element->setObjectName(ElementName);
        element->setData(QVariant::fromValue(recordIndex));
        connect(element, &QAction::triggered, this, [this, recordIndex] { restore(recordIndex); });
        m_elements.push_back(element);
    }
    m_earlier->setText(firstListed == 1 ? QStringLiteral("1 earlier removal, not listed")
                                        : QStringLiteral("%1 earlier removals, not listed").arg(firstListed));
    m_earlier->setVisible(firstListed > 0);
    bool any = false;
    for (std::size_t k = 0; k < m_elements.size(); ++k) {
        const bool can = canRestore(m_firstListed + k);
        m_elements[k]->setEnabled(can);
        any = any || can;
    }
    for (std::size_t recordIndex = 0; !any && recordIndex < m_firstListed; ++recordIndex)
        any = canRestore(recordIndex);
    m_placeholder->setVisible(!any);
}

bool UndoMenu::canRestore(std::size_t recordIndex) const
{
    const IniDocument &doc = m_session.document();
    return CanRestore(doc, doc.UndoList[recordIndex]);
}

void UndoMenu::restore(std::size_t recordIndex)
{
    // A stale trigger of an element that can no longer restore changes nothing.
    if (canRestore(recordIndex))
        m_session.restoreEntries({m_session.document().UndoList[recordIndex].entryIndex});
}
