#include "RomSortProxy.h"

#include "RomListModel.h"
#include "ui/ImagelistSmall.h"

RomSortProxy::RomSortProxy(RomListModel &model, QObject *parent)
    : QSortFilterProxyModel(parent), m_model(model)
{
    setSourceModel(&model);
    // Rows that come later (a refill, a restore) take their place in the current sort.
    setDynamicSortFilter(true);
}

void RomSortProxy::headerClicked(int column)
{
    m_direction = m_direction == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sort(column, m_direction);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QVariant RomSortProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DecorationRole && orientation == Qt::Horizontal) {
        if (section != sortColumn())
            return {};
        return ImagelistSmall::icon(sortOrder() == Qt::AscendingOrder ? QStringLiteral("Up")
                                                                      : QStringLiteral("Down"));
    }
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

bool RomSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return m_model.sortKey(left.row(), left.column()) < m_model.sortKey(right.row(), right.column());
}

std::size_t RomSortProxy::entryIndex(const QModelIndex &proxyIndex) const
{
    return m_model.entryIndex(mapToSource(proxyIndex).row());
}

std::optional<int> RomSortProxy::rowOf(std::size_t entryIndex) const
{
    const auto sourceRow = m_model.rowOf(entryIndex);
    if (!sourceRow)
        return std::nullopt;
    return mapFromSource(m_model.index(*sourceRow, 0)).row();
}

std::vector<std::size_t> RomSortProxy::displayedOrder() const
{
    std::vector<std::size_t> order;
    const int rows = rowCount();
    order.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        order.push_back(entryIndex(index(row, 0)));
    return order;
}
