#pragma once

#include <QObject>

#include <cstddef>
#include <deque>

class DocumentSession;
class QAction;
class QMenu;

// The Undo menu of removed ROMs: one element per removal, captioned with the entry's name,
// oldest first, for the newest removals; a greyed line before them counts the earlier
// ones. Each element's data is the index of the record of the document's UndoList it
// shows. Choosing an element restores its entry as a step of the history. An element is
// greyed while its ROM is in the list and once the history can no longer restore it
// (another file was loaded, or the undo of an add or paste took the ROM out of the
// table); "No Undo Available" is shown, greyed, only when no element can restore anything.
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
    QAction *m_earlier = nullptr;
    // m_elements[k] shows the document's UndoList[m_firstListed + k].
    std::deque<QAction *> m_elements;
    std::size_t m_firstListed = 0;
};
