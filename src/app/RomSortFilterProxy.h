#pragma once

#include "inidb/HugePages.h"

#include <QAbstractProxyModel>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class RomListModel;

// Source rows of the list, in some order. A fill writes all of them at once.
using RowList = std::vector<int, FreshBlockAllocator<int, PageFill::AtOnce>>;

// The order the list shows: table order until the first header click, then the text
// of the clicked column. Every click flips the direction, whichever column it hits, and
// the sort stays in force for every later fill. A sort is stable: rows of equal text keep
// the order they were shown in. Changed and restored rows take their place in the sort.
// The find text hides the rows whose Name, CRC, Comments and Info all lack it (ignoring
// case); hidden rows keep their place in the sort, so the displayed order still holds
// every row.
class RomSortFilterProxy final : public QAbstractProxyModel {
    Q_OBJECT
public:
    // More runs of new rows than this rebuild the view instead.
    static constexpr std::size_t RunsInsertedOneByOne = 16;

    explicit RomSortFilterProxy(RomListModel &model, QObject *parent = nullptr);

    void headerClicked(int column);
    bool sorting() const { return m_sortColumn >= 0; }
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_order; }
    // The next header click flips the direction from this one.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // "" shows every row.
    void setFindText(const QString &text);
    bool filtering() const { return !m_findText.isEmpty(); }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    // The sort column's header shows "Up" or "Down"; the others show no picture.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    std::size_t entryIndex(const QModelIndex &proxyIndex) const { return entryIndex(proxyIndex.row()); }
    std::size_t entryIndex(int row) const;
    std::optional<int> rowOf(std::size_t entryIndex) const;
    // The shown rows of the entries, ascending; one walk over the list, however many.
    std::vector<int> rowsOf(std::vector<std::size_t> entryIndexes) const;
    // The entry of every row in the current sort, top to bottom, hidden rows included.
    std::vector<std::size_t> displayedOrder() const;

private:
    void sourceReset();
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void sourceRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last);
    void sourceRowsRemoved(const QModelIndex &parent, int first, int last);
    void sourceRowsInserted(const QModelIndex &parent, int first, int last);
    // Shows those of the new source rows first to last that the find text lets through.
    void insertShown(int first, int last);

    // Source rows in the current sort, stable against the order they are given in.
    RowList sorted(const RowList &sourceRows) const;
    // Negative, zero or positive as source row a sorts before, with or after b.
    int compareRows(int a, int b) const;
    // Where in order a source row not in it goes: after the rows it sorts equal with.
    int placeIn(const RowList &order, int sourceRow) const;
    bool outOfPlace(std::size_t sortedPlace) const;
    bool shown(int sourceRow) const;
    // Works out m_found for the current find text.
    void findAll();
    // The rows of the sorted order that the find text lets through.
    RowList shownOf(const RowList &sortedRows) const;
    // Shows the rows in a new order; the view's current row and selection go with them.
    void reorder(RowList proxyToSource);
    void rebuildSourceToProxy();

    RomListModel &m_model;
    // Every source row in the current sort; the shown rows are a part of it, in its order.
    RowList m_sorted;
    RowList m_proxyToSource;
    RowList m_sourceToProxy;
    int m_sortColumn = -1;
    Qt::SortOrder m_order = Qt::AscendingOrder;
    // Ascending before the first click would make that click sort descending; users
    // expect A to Z first.
    Qt::SortOrder m_direction = Qt::DescendingOrder;
    QString m_findText;
    // m_findText folded as the searched texts are; nullopt when nothing can match it.
    std::optional<std::string> m_needle;
    // Per entry, whether it holds the find text; empty while not filtering.
    std::vector<char> m_found;
};
