#pragma once

#include <QObject>

#include <cstddef>
#include <vector>

class QAction;
class QMenu;
struct IniDocument;

// The Undo menu: "No Undo Available" (always first, always disabled), then one element
// per removal, captioned with the entry's name, oldest first. Element k shows record k-1
// of doc.UndoList. Choosing an element brings its entry back, once; elements whose entry
// a save or a load has dropped stay listed, disabled.
class UndoMenu final : public QObject {
    Q_OBJECT
public:
    UndoMenu(QMenu &mnuUndo, IniDocument &doc, QObject *parent = nullptr);

    // Adds an element for every record appended to doc.UndoList since the last call.
    void AddUndoRecords();
    // After a load (also the one that ends every save): the old entries are gone.
    void documentReloaded();
    // Brings back the entry of the newest element that can still restore one.
    void undoLastRemoval();

signals:
    // The entry is no longer removed; the list shows its row again.
    void entryRestored(std::size_t entryIndex);

private:
    void restore(QAction &element, std::size_t recordIndex);
    bool canRestore(std::size_t recordIndex) const;
    // The element undoLastRemoval would use shows its shortcut.
    void markNextUndo();
    QAction *nextUndo() const;

    QMenu &m_menu;
    IniDocument &m_doc;
    // m_elements[k] shows doc.UndoList[k]; the placeholder is not among them.
    std::vector<QAction *> m_elements;
};
