#pragma once

#include <QSortFilterProxyModel>

#include <cstddef>
#include <optional>
#include <vector>

class RomListModel;

// The order the list shows: table order until the first header click, then the text
// of the clicked column. Every click flips the direction, whichever column it hits, and
// the sort stays in force for every later fill.
class RomSortProxy final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RomSortProxy(RomListModel &model, QObject *parent = nullptr);

    void headerClicked(int column);
    bool sorting() const { return sortColumn() >= 0; }

    // The sort column's header shows "Up" or "Down"; the others show no picture.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    std::size_t entryIndex(const QModelIndex &proxyIndex) const;
    std::optional<int> rowOf(std::size_t entryIndex) const;
    // The entry of every row, top to bottom.
    std::vector<std::size_t> displayedOrder() const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    RomListModel &m_model;
    // Ascending before the first click would make that click sort descending; users
    // expect A to Z first.
    Qt::SortOrder m_direction = Qt::DescendingOrder;
};
