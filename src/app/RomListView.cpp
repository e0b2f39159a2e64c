#include "RomListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

RomListView::RomListView(QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("lvwMain"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // One height for every row keeps scrolling through many thousands of rows fast.
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    // Columns may be put in the order the user likes; the window remembers it.
    header()->setSectionsMovable(true);
}

QItemSelectionModel::SelectionFlags RomListView::selectionCommand(const QModelIndex &index,
                                                                  const QEvent *event) const
{
    // Ctrl+click would unselect the row yet leave it drawn as current; it stays chosen instead.
    const QItemSelectionModel::SelectionFlags command = QTreeView::selectionCommand(index, event);
    if (command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}

void RomListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    const QModelIndex under = indexAt(event->position().toPoint());
    if (!under.isValid())
        return;
    selectionModel()->setCurrentIndex(
        under, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit rowMenuRequested(event->globalPosition().toPoint());
}

void RomListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    const QModelIndex under = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && under.isValid())
        emit rowDoubleClicked(under);
}

void RomListView::keyPressEvent(QKeyEvent *event)
{
    // The menu key (or Shift+F10) opens the row menu under the selected row, as the
    // right button does over it.
    const bool menuKey = event->key() == Qt::Key_Menu
                         || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    if (!menuKey || rows.isEmpty()) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const QRect row = visualRect(rows.constFirst());
    emit rowMenuRequested(viewport()->mapToGlobal(row.bottomLeft()));
}
