#pragma once

#include <QHeaderView>
#include <QTableView>

// The ROM list control: a report view of whole rows that answer the mouse the way the
// main window wants. Shift and Ctrl with clicks and arrows select several rows. The
// context menu comes on the right button's release over a row (a row outside the
// selection is selected first), or on the menu key over the current row; a double-click
// counts only with the left button. A table keeps nothing per row, so filling it with
// many thousands of rows costs next to nothing.
class RomListView final : public QTableView {
    Q_OBJECT
public:
    explicit RomListView(QWidget *parent = nullptr);

    // The column headings.
    QHeaderView *header() const { return horizontalHeader(); }
    void setSelectionModel(QItemSelectionModel *selectionModel) override;

signals:
    void rowMenuRequested(const QPoint &globalPosition);
    void rowDoubleClicked(const QModelIndex &index);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // What the headings are told is selected: never anything.
    QItemSelectionModel *m_headingSelection = nullptr;
};
