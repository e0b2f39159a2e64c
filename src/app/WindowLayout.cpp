#include "WindowLayout.h"

#include "RomSortFilterProxy.h"
#include "settings/AppSettings.h"

#include <QByteArray>
#include <QHeaderView>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace WindowLayout {
namespace {

void restoreColumns(const WindowLayoutSettings &layout, QHeaderView &header)
{
    const auto count = static_cast<std::size_t>(header.count());
    const std::vector<int> &widths = layout.columnWidths;
    if (widths.size() == count && std::find(widths.begin(), widths.end(), 0) == widths.end())
        for (std::size_t column = 0; column < count; ++column)
            header.resizeSection(static_cast<int>(column), widths[column]);
    const std::vector<int> &order = layout.columnOrder;
    if (order.size() != count)
        return;
    // Only a true reordering of the columns is taken: each column once.
    std::vector<bool> seen(count, false);
    for (const int column : order) {
        if (column >= header.count() || seen[static_cast<std::size_t>(column)])
            return;
        seen[static_cast<std::size_t>(column)] = true;
    }
    for (std::size_t visual = 0; visual < count; ++visual)
        header.moveSection(header.visualIndex(order[visual]), static_cast<int>(visual));
}

} // namespace

void save(AppSettings &settings, const QWidget &window, const QHeaderView &header, const RomSortFilterProxy &proxy)
{
    WindowLayoutSettings layout;
    layout.geometry = window.saveGeometry().toBase64().toStdString();
    for (int column = 0; column < header.count(); ++column) {
        layout.columnWidths.push_back(header.sectionSize(column));
        layout.columnOrder.push_back(header.logicalIndex(column));
    }
    if (proxy.sorting())
        layout.sortColumn = proxy.sortColumn();
    layout.sortOrder = proxy.sortOrder() == Qt::AscendingOrder ? 0 : 1;
    settings.storeLayout(layout);
}

bool restore(const AppSettings &settings, QWidget &window, QHeaderView &header, RomSortFilterProxy &proxy)
{
    const WindowLayoutSettings layout = settings.layout();
    restoreColumns(layout, header);
    if (layout.sortColumn && layout.sortOrder && *layout.sortColumn < header.count() && *layout.sortOrder <= 1)
        proxy.sort(*layout.sortColumn, *layout.sortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    const QByteArray geometry = QByteArray::fromBase64(QByteArray::fromStdString(layout.geometry));
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

} // namespace WindowLayout
