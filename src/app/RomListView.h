#pragma once

#include <QTreeView>

// The ROM list control: a report view whose rows answer the mouse the way the main
// window wants. The context menu comes on the right button's release over a row (the
// row is selected first), or on the menu key over the selected row; a double-click counts
// only with the left button.
class RomListView final : public QTreeView {
    Q_OBJECT
public:
    explicit RomListView(QWidget *parent = nullptr);

signals:
    void rowMenuRequested(const QPoint &globalPosition);
    void rowDoubleClicked(const QModelIndex &index);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void keyPressEvent(QKeyEvent *event) override;
};
