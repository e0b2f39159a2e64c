#pragma once

#include <QObject>

#include <cstddef>
#include <vector>

class DocumentSession;
class QAction;
class QMenu;

// The Undo menu of removed ROMs: one element per removal, captioned with the entry's name,
// oldest first; element k shows record k of the document's UndoList. Choosing an element
// restores its entry as a step of the history. An element is greyed while its ROM is in
// the list and once the history can no longer restore it (another file was loaded);
// "No Undo Available" is shown, greyed, only when no element can restore anything.
class UndoMenu final : public QObject {
    Q_OBJECT
public:
    UndoMenu(QMenu &mnuUndo, DocumentSession &session, QObject *parent = nullptr);

private:
    // Adds elements for new records and sets what each element can do now.
    void update();
    bool canRestore(std::size_t recordIndex) const;
    void restore(std::size_t recordIndex);

    QMenu &m_menu;
    DocumentSession &m_session;
    QAction *m_placeholder = nullptr;
    // m_elements[k] shows the document's UndoList[k].
    std::vector<QAction *> m_elements;
};
