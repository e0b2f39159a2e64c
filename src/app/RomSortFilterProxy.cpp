#include "RomSortFilterProxy.h"

#include "RomListModel.h"
#include "ui/ImagelistSmall.h"

#include <algorithm>
#include <numeric>

RomSortFilterProxy::RomSortFilterProxy(RomListModel &model, QObject *parent)
    : QAbstractProxyModel(parent), m_model(model)
{
    setSourceModel(&model);
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, &RomSortFilterProxy::beginResetModel);
    connect(&model, &QAbstractItemModel::modelReset, this, &RomSortFilterProxy::sourceReset);
    connect(&model, &QAbstractItemModel::dataChanged, this, &RomSortFilterProxy::sourceDataChanged);
    connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &RomSortFilterProxy::sourceRowsAboutToBeRemoved);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &RomSortFilterProxy::sourceRowsRemoved);
    connect(&model, &QAbstractItemModel::rowsInserted, this, &RomSortFilterProxy::sourceRowsInserted);
    // What was found is kept by entry: entries that moved are looked at again.
    connect(&model, &RomListModel::entryPlacesChanged, this, &RomSortFilterProxy::findAll);
    sourceReset();
}

void RomSortFilterProxy::headerClicked(int column)
{
    m_direction = m_direction == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sort(column, m_direction);
}

void RomSortFilterProxy::sort(int column, Qt::SortOrder order)
{
    m_direction = order;
    if (column == m_sortColumn && order == m_order)
        return;
    m_sortColumn = column;
    m_order = order;
    m_sorted = sorted(m_sorted);
    reorder(shownOf(m_sorted));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void RomSortFilterProxy::setFindText(const QString &text)
{
    if (text == m_findText)
        return;
    m_findText = text;
    findAll();
    reorder(shownOf(m_sorted));
}

void RomSortFilterProxy::findAll()
{
    // Folded anew each time: a reload may bring a file in another encoding.
    m_needle = m_findText.isEmpty() ? std::string() : FindText::folded(m_findText, m_model.textEncoding());
    if (filtering() && m_needle)
        m_found = m_model.findText().matches(*m_needle);
    else
        m_found.clear();
}

QModelIndex RomSortFilterProxy::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex RomSortFilterProxy::parent(const QModelIndex &) const
{
    return {};
}

int RomSortFilterProxy::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_proxyToSource.size());
}

int RomSortFilterProxy::columnCount(const QModelIndex &parent) const
{
    return m_model.columnCount(mapToSource(parent));
}

QModelIndex RomSortFilterProxy::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid())
        return {};
    return m_model.index(m_proxyToSource[static_cast<std::size_t>(proxyIndex.row())], proxyIndex.column());
}

QModelIndex RomSortFilterProxy::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    return index(m_sourceToProxy[static_cast<std::size_t>(sourceIndex.row())], sourceIndex.column());
}

QVariant RomSortFilterProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DecorationRole && orientation == Qt::Horizontal) {
        if (section != sortColumn())
            return {};
        return ImagelistSmall::icon(sortOrder() == Qt::AscendingOrder ? QStringLiteral("Up")
                                                                      : QStringLiteral("Down"));
    }
    return QAbstractProxyModel::headerData(section, orientation, role);
}

std::size_t RomSortFilterProxy::entryIndex(int row) const
{
    return m_model.entryIndex(m_proxyToSource[static_cast<std::size_t>(row)]);
}

std::optional<int> RomSortFilterProxy::rowOf(std::size_t entryIndex) const
{
    const auto sourceRow = m_model.rowOf(entryIndex);
    if (!sourceRow || m_sourceToProxy[static_cast<std::size_t>(*sourceRow)] < 0)
        return std::nullopt;
    return m_sourceToProxy[static_cast<std::size_t>(*sourceRow)];
}

std::vector<int> RomSortFilterProxy::rowsOf(std::vector<std::size_t> entryIndexes) const
{
    if (!std::is_sorted(entryIndexes.begin(), entryIndexes.end()))
        std::sort(entryIndexes.begin(), entryIndexes.end());
    std::vector<int> rows;
    // Source rows are in table order, so both run upward together.
    auto wanted = entryIndexes.begin();
    for (int sourceRow = 0; sourceRow < m_model.rowCount() && wanted != entryIndexes.end(); ++sourceRow) {
        const std::size_t entry = m_model.entryIndex(sourceRow);
        while (wanted != entryIndexes.end() && *wanted < entry)
            ++wanted;
        if (wanted != entryIndexes.end() && *wanted == entry && m_sourceToProxy[static_cast<std::size_t>(sourceRow)] >= 0)
            rows.push_back(m_sourceToProxy[static_cast<std::size_t>(sourceRow)]);
    }
    if (!std::is_sorted(rows.begin(), rows.end()))
        std::sort(rows.begin(), rows.end());
    return rows;
}

bool RomSortFilterProxy::shown(int sourceRow) const
{
    return !filtering() || (m_needle && m_found[m_model.entryIndex(sourceRow)]);
}

RowList RomSortFilterProxy::shownOf(const RowList &sortedRows) const
{
    if (!filtering())
        return sortedRows;
    RowList result;
    for (const int row : sortedRows)
        if (shown(row))
            result.push_back(row);
    return result;
}

std::vector<std::size_t> RomSortFilterProxy::displayedOrder() const
{
    std::vector<std::size_t> order;
    order.reserve(m_sorted.size());
    for (const int sourceRow : m_sorted)
        order.push_back(m_model.entryIndex(sourceRow));
    return order;
}

RowList RomSortFilterProxy::sorted(const RowList &sourceRows) const
{
    RowList result(sourceRows.size());
    if (!sorting()) {
        std::iota(result.begin(), result.end(), 0);
        if (m_order == Qt::DescendingOrder)
            std::reverse(result.begin(), result.end());
        return result;
    }
    // Equal texts share a rank, so a counting sort by rank is a stable sort by text.
    const SortKeyColumn &keys = m_model.sortKeys(m_sortColumn);
    const std::vector<std::uint32_t> &ranks = keys.ranks();
    const std::uint32_t rankCount = keys.rankCount();
    const auto place = [&](int sourceRow) {
        const std::uint32_t rank = ranks[m_model.entryIndex(sourceRow)];
        return m_order == Qt::AscendingOrder ? rank : rankCount - 1 - rank;
    };
    std::vector<std::size_t> next(std::size_t{rankCount} + 1, 0);
    for (const int row : sourceRows)
        ++next[place(row) + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    for (const int row : sourceRows)
        result[next[place(row)]++] = row;
    return result;
}

int RomSortFilterProxy::compareRows(int a, int b) const
{
    const int ascending = m_model.sortKeys(m_sortColumn).compare(m_model.entryIndex(a), m_model.entryIndex(b));
    return m_order == Qt::AscendingOrder ? ascending : -ascending;
}

int RomSortFilterProxy::placeIn(const RowList &order, int sourceRow) const
{
    if (!sorting())
        return sourceRow;
    const auto after = std::upper_bound(order.begin(), order.end(), sourceRow,
                                        [this](int row, int shown) { return compareRows(row, shown) < 0; });
    return static_cast<int>(after - order.begin());
}

bool RomSortFilterProxy::outOfPlace(std::size_t sortedPlace) const
{
    const int row = m_sorted[sortedPlace];
    if (sortedPlace > 0 && compareRows(row, m_sorted[sortedPlace - 1]) < 0)
        return true;
    return sortedPlace + 1 < m_sorted.size() && compareRows(m_sorted[sortedPlace + 1], row) < 0;
}

void RomSortFilterProxy::reorder(RowList proxyToSource)
{
    // Rows may be hidden or shown as well as moved: no hint.
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    RowList sourceRows;
    sourceRows.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex &index : before)
        sourceRows.push_back(m_proxyToSource[static_cast<std::size_t>(index.row())]);
    m_proxyToSource = std::move(proxyToSource);
    rebuildSourceToProxy();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(m_sourceToProxy[static_cast<std::size_t>(sourceRows[static_cast<std::size_t>(i)])],
                           before[i].column()));
    // A row the find text now hides leaves no index behind (index(-1) is invalid).
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void RomSortFilterProxy::rebuildSourceToProxy()
{
    // Sized by the source, whose rows may not all be shown while one is being removed.
    m_sourceToProxy.assign(static_cast<std::size_t>(m_model.rowCount()), -1);
    for (std::size_t row = 0; row < m_proxyToSource.size(); ++row)
        m_sourceToProxy[static_cast<std::size_t>(m_proxyToSource[row])] = static_cast<int>(row);
}

void RomSortFilterProxy::sourceReset()
{
    RowList tableOrder(static_cast<std::size_t>(m_model.rowCount()));
    std::iota(tableOrder.begin(), tableOrder.end(), 0);
    m_sorted = sorting() ? sorted(tableOrder) : std::move(tableOrder);
    findAll();
    m_proxyToSource = shownOf(m_sorted);
    rebuildSourceToProxy();
    endResetModel();
}

void RomSortFilterProxy::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    const bool sortTextChanged = sorting() && topLeft.column() <= m_sortColumn && m_sortColumn <= bottomRight.column();
    for (int sourceRow = topLeft.row(); sourceRow <= bottomRight.row(); ++sourceRow) {
        bool moved = false;
        if (sortTextChanged) {
            const auto place = static_cast<std::size_t>(
                std::find(m_sorted.begin(), m_sorted.end(), sourceRow) - m_sorted.begin());
            if (outOfPlace(place)) {
                m_sorted.erase(m_sorted.begin() + static_cast<std::ptrdiff_t>(place));
                m_sorted.insert(m_sorted.begin() + placeIn(m_sorted, sourceRow), sourceRow);
                moved = true;
            }
        }
        const std::size_t entry = m_model.entryIndex(sourceRow);
        if (filtering() && m_needle)
            m_found[entry] = m_model.findText().contains(entry, *m_needle);
        const bool wasShown = m_sourceToProxy[static_cast<std::size_t>(sourceRow)] >= 0;
        if (moved || wasShown != shown(sourceRow))
            reorder(shownOf(m_sorted));
        const int shownRow = m_sourceToProxy[static_cast<std::size_t>(sourceRow)];
        if (shownRow >= 0)
            emit dataChanged(index(shownRow, topLeft.column()), index(shownRow, bottomRight.column()));
    }
}

void RomSortFilterProxy::sourceRowsAboutToBeRemoved(const QModelIndex &, int first, int last)
{
    // The rows leave the view while the source still holds them, so every row shown
    // meanwhile still has its data.
    for (int sourceRow = first; sourceRow <= last; ++sourceRow) {
        m_sorted.erase(std::find(m_sorted.begin(), m_sorted.end(), sourceRow));
        const int proxyRow = m_sourceToProxy[static_cast<std::size_t>(sourceRow)];
        if (proxyRow < 0)
            continue;
        beginRemoveRows({}, proxyRow, proxyRow);
        m_proxyToSource.erase(m_proxyToSource.begin() + proxyRow);
        rebuildSourceToProxy();
        endRemoveRows();
    }
}

void RomSortFilterProxy::sourceRowsRemoved(const QModelIndex &, int first, int last)
{
    for (RowList *rows : {&m_sorted, &m_proxyToSource})
        for (int &sourceRow : *rows)
            if (sourceRow > last)
                sourceRow -= last - first + 1;
    rebuildSourceToProxy();
}

void RomSortFilterProxy::sourceRowsInserted(const QModelIndex &, int first, int last)
{
    for (RowList *rows : {&m_sorted, &m_proxyToSource})
        for (int &sourceRow : *rows)
            if (sourceRow >= first)
                sourceRow += last - first + 1;
    rebuildSourceToProxy();
    // The new rows go into the sort in one merge, each after the rows it sorts equal with.
    RowList added(static_cast<std::size_t>(last - first + 1));
    std::iota(added.begin(), added.end(), first);
    if (sorting())
        std::stable_sort(added.begin(), added.end(), [this](int a, int b) { return compareRows(a, b) < 0; });
    RowList merged(m_sorted.size() + added.size());
    if (sorting())
        std::merge(m_sorted.begin(), m_sorted.end(), added.begin(), added.end(), merged.begin(),
                   [this](int a, int b) { return compareRows(a, b) < 0; });
    else
        std::merge(m_sorted.begin(), m_sorted.end(), added.begin(), added.end(), merged.begin());
    m_sorted = std::move(merged);
    insertShown(first, last);
}

void RomSortFilterProxy::insertShown(int first, int last)
{
    RowList nowShown = shownOf(m_sorted);
    const auto isNew = [first, last](int sourceRow) { return sourceRow >= first && sourceRow <= last; };
    // Where the new rows stand among the shown ones: runs of neighbours, each [start, end).
    std::vector<std::pair<int, int>> runs;
    for (int place = 0; place < static_cast<int>(nowShown.size()); ++place) {
        if (!isNew(nowShown[static_cast<std::size_t>(place)]))
            continue;
        if (!runs.empty() && runs.back().second == place)
            ++runs.back().second;
        else
            runs.emplace_back(place, place + 1);
    }
    if (runs.size() > RunsInsertedOneByOne) {
        // Rows scattered all over a sorted list: telling the view of each run would take
        // longer than building the view anew.
        beginResetModel();
        m_proxyToSource = std::move(nowShown);
        rebuildSourceToProxy();
        endResetModel();
        return;
    }
    for (const auto &[start, end] : runs) {
        beginInsertRows({}, start, end - 1);
        m_proxyToSource.insert(m_proxyToSource.begin() + start, nowShown.begin() + start, nowShown.begin() + end);
        rebuildSourceToProxy();
        endInsertRows();
    }
}
