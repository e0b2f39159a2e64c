#include "SelectedRows.h"

#include <QAbstractItemModel>

#include <algorithm>

SelectedRows::SelectedRows(const QItemSelection &selection)
{
    std::vector<std::pair<int, int>> ranges;
    ranges.reserve(static_cast<std::size_t>(selection.size()));
    for (const QItemSelectionRange &range : selection)
        if (range.isValid())
            ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    // The selection model keeps the ranges of separate commands apart; they may touch.
    for (const auto &[top, bottom] : ranges) {
        if (!m_runs.empty() && top <= m_runs.back().second + 1)
            m_runs.back().second = std::max(m_runs.back().second, bottom);
        else
            m_runs.emplace_back(top, bottom);
    }
    for (const auto &[top, bottom] : m_runs)
        m_count += static_cast<std::size_t>(bottom - top + 1);
}

std::vector<int> SelectedRows::rows() const
{
    std::vector<int> rows;
    rows.reserve(m_count);
    for (const auto &[top, bottom] : m_runs)
        for (int row = top; row <= bottom; ++row)
            rows.push_back(row);
    return rows;
}

QItemSelection SelectedRows::of(const QAbstractItemModel &model, const std::vector<int> &rows)
{
    QItemSelection selection;
    const int lastColumn = model.columnCount() - 1;
    for (std::size_t start = 0; start < rows.size();) {
        std::size_t end = start + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1)
            ++end;
        selection.select(model.index(rows[start], 0), model.index(rows[end - 1], lastColumn));
        start = end;
    }
    return selection;
}
