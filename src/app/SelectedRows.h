#pragma once

#include <QItemSelection>

#include <cstddef>
#include <utility>
#include <vector>

class QAbstractItemModel;

// The rows a selection of whole rows covers, as ascending runs that do not overlap:
// counting them takes no walk over the rows, however many are selected.
class SelectedRows final {
public:
    explicit SelectedRows(const QItemSelection &selection);

    std::size_t count() const { return m_count; }
    // Every selected row, top to bottom.
    std::vector<int> rows() const;
    int first() const { return m_runs.empty() ? -1 : m_runs.front().first; }

    // The whole rows of model, consecutive rows in one range; rows ascending.
    static QItemSelection of(const QAbstractItemModel &model, const std::vector<int> &rows);

private:
    // First and last row of each run.
    std::vector<std::pair<int, int>> m_runs;
    std::size_t m_count = 0;
};
