#include "WindowLayout.h"

#include "RomSortFilterProxy.h"
#include "settings/Reg.h"
#include "settings/badRegistry.h"

#include <QByteArray>
#include <QHeaderView>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace WindowLayout {
namespace {

const char *const GeometryValue = "WindowGeometry";
const char *const WidthsValue = "ColumnWidths";
const char *const OrderValue = "ColumnOrder";
const char *const SortColumnValue = "SortColumn";
const char *const SortOrderValue = "SortOrder";

std::string numberList(const std::vector<int> &numbers)
{
    QStringList texts;
    for (const int number : numbers)
        texts.append(QString::number(number));
    return texts.join(QLatin1Char(',')).toStdString();
}

// count whole numbers from minimum up, separated by commas; nullopt for anything else.
std::optional<std::vector<int>> parseNumberList(const std::string &text, int count, int minimum)
{
    const QStringList texts = QString::fromStdString(text).split(QLatin1Char(','));
    if (texts.size() != count)
        return std::nullopt;
    std::vector<int> numbers;
    for (const QString &number : texts) {
        bool ok = false;
        const int value = number.trimmed().toInt(&ok);
        if (!ok || value < minimum)
            return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

void restoreColumns(Reg &reg, QHeaderView &header)
{
    const int count = header.count();
    if (const auto widths = parseNumberList(badRegistry::ReadSettingText(reg, WidthsValue), count, 1))
        for (int column = 0; column < count; ++column)
            header.resizeSection(column, (*widths)[static_cast<std::size_t>(column)]);
    const auto order = parseNumberList(badRegistry::ReadSettingText(reg, OrderValue), count, 0);
    if (!order)
        return;
    // Only a true reordering of the columns is taken: each column once.
    std::vector<bool> seen(static_cast<std::size_t>(count), false);
    for (const int column : *order) {
        if (column >= count || seen[static_cast<std::size_t>(column)])
            return;
        seen[static_cast<std::size_t>(column)] = true;
    }
    for (int visual = 0; visual < count; ++visual)
        header.moveSection(header.visualIndex((*order)[static_cast<std::size_t>(visual)]), visual);
}

} // namespace

void save(RegistryStore &store, const QWidget &window, const QHeaderView &header, const RomSortFilterProxy &proxy)
{
    Reg reg(store);
    badRegistry::WriteSettingText(reg, GeometryValue, window.saveGeometry().toBase64().toStdString());
    std::vector<int> widths;
    std::vector<int> order;
    for (int column = 0; column < header.count(); ++column) {
        widths.push_back(header.sectionSize(column));
        order.push_back(header.logicalIndex(column));
    }
    badRegistry::WriteSettingText(reg, WidthsValue, numberList(widths));
    badRegistry::WriteSettingText(reg, OrderValue, numberList(order));
    badRegistry::WriteSettingText(reg, SortColumnValue, std::to_string(proxy.sortColumn()));
    badRegistry::WriteSettingText(reg, SortOrderValue, proxy.sortOrder() == Qt::AscendingOrder ? "0" : "1");
}

bool restore(RegistryStore &store, QWidget &window, QHeaderView &header, RomSortFilterProxy &proxy)
{
    Reg reg(store);
    restoreColumns(reg, header);
    const auto sortColumn = parseNumberList(badRegistry::ReadSettingText(reg, SortColumnValue), 1, 0);
    const auto sortOrder = parseNumberList(badRegistry::ReadSettingText(reg, SortOrderValue), 1, 0);
    if (sortColumn && sortOrder && sortColumn->front() < header.count() && sortOrder->front() <= 1)
        proxy.sort(sortColumn->front(), sortOrder->front() == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    const QByteArray geometry = QByteArray::fromBase64(QByteArray::fromStdString(badRegistry::ReadSettingText(reg, GeometryValue)));
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

} // namespace WindowLayout
