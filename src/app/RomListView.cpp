#include "RomListView.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Rows, not cells, are what the user picks: a selected row's highlight shows where the
// focus is. Only a current row left unselected (Ctrl with the arrows) keeps its frame.
class RowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell(option);
        if (cell.state.testFlag(QStyle::State_Selected))
            cell.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cell, index);
    }
};

} // namespace

RomListView::RomListView(QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("lvwMain"));
    setItemDelegate(new RowDelegate(this));
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Wide columns slide smoothly sideways rather than a whole column at a time.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Tab leaves the list, as it leaves any other control.
    setTabKeyNavigation(false);
    // Rows of one height, room for a line of text or a flag, and no row numbers.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, this) + 1;
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height(), style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this)) + 2 * margin);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setHighlightSections(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->setSortIndicatorShown(false);
    // Columns may be put in the order the user likes; the window remembers it.
    header()->setSectionsMovable(true);
}

void RomListView::setSelectionModel(QItemSelectionModel *selectionModel)
{
    QTableView::setSelectionModel(selectionModel);
    // The headings show no selection, yet they ask at every paint whether their column
    // is selected, which walks every row: they get a selection of their own, always empty.
    if (!m_headingSelection)
        m_headingSelection = new QItemSelectionModel(selectionModel->model(), this);
    m_headingSelection->setModel(selectionModel->model());
    header()->setSelectionModel(m_headingSelection);
}

void RomListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    const QModelIndex under = indexAt(event->position().toPoint());
    if (!under.isValid())
        return;
    // A row of the selection keeps the selection, so the menu acts on all of it.
    const bool inSelection = selectionModel()->isRowSelected(under.row(), under.parent());
    selectionModel()->setCurrentIndex(under, inSelection ? QItemSelectionModel::NoUpdate
                                                         : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit rowMenuRequested(event->globalPosition().toPoint());
}

void RomListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
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
    const QModelIndex current = currentIndex();
    if (!menuKey || !current.isValid() || !selectionModel()->isRowSelected(current.row(), current.parent())) {
        QTableView::keyPressEvent(event);
        return;
    }
    const QRect row = visualRect(current);
    emit rowMenuRequested(viewport()->mapToGlobal(row.bottomLeft()));
}

QModelIndex RomListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and the last row, as in any list, not along the row.
    const int rows = model() ? model()->rowCount() : 0;
    if ((action == MoveHome || action == MoveEnd) && rows > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        return model()->index(action == MoveHome ? 0 : rows - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}
