#include "RomListModel.h"

#include "editing/DocumentSession.h"
#include "inidb/DocumentEdits.h"
#include "inidb/ListText.h"
#include "ui/FileText.h"
#include "ui/ImagelistSmall.h"
#include "ui/TextStart.h"

#include <algorithm>
#include <iterator>

namespace {

struct ColumnDesign {
    const char *caption;
    int widthTwips;
};

constexpr std::array<ColumnDesign, RomListModel::ColumnCount> Columns{{
    {"Name", 3000},
    {"CRC", 2200},
    {"Country", 1440},
    {"UCode", 1440},
    {"Comments", 1500},
    {"Info", 2250},
    {"Extra Settings", 3000},
}};

constexpr int TwipsPerPixel = 15;
// Beyond this many entries changed, hidden or shown, one rebuild beats moving each row into
// its place.
constexpr std::size_t RowsChangedOneByOne = 64;

// A cell lays out the whole text it is given, which takes seconds for megabytes: it is
// given the start of a long text, cut before decoding. No character takes more than
// four bytes.
constexpr qsizetype ShownCellLength = 1000;
constexpr std::size_t ShownCellBytes = 4 * (ShownCellLength + 1);

} // namespace

RomListModel::RomListModel(const IniDocument &doc, QObject *parent)
    : QAbstractTableModel(parent), m_doc(doc)
{
}

int RomListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RomListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::string RomListModel::cellBytes(std::size_t entryIndex, Column column, std::size_t maxTextBytes) const
{
    const RomEntry &entry = m_doc.EntryTable[entryIndex];
    const auto start = [maxTextBytes](std::string_view text) { return ListCellText(text.substr(0, maxTextBytes)); };
    switch (column) {
    case Column::Name:
        return start(entry.Name);
    case Column::CRC:
        return start(entry.CRC);
    case Column::Country:
        return CountryTable(CountryCode(entry.CRC)).listText;
    case Column::UCode:
        return ListCellText(UCodeCellText(entry.UCode));
    case Column::Comments:
        return start(entry.Comment);
    case Column::Info:
        return start(entry.Info);
    case Column::ExtraSettings:
        return ExtraSettingsSummary(entry);
    case Column::Count:
        break;
    }
    return {};
}

QString RomListModel::cellText(std::size_t entryIndex, Column column) const
{
    return fromFileText(m_doc.Encoding, cellBytes(entryIndex, column));
}

QVariant RomListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::size_t entry = entryIndex(index.row());
    const auto column = static_cast<Column>(index.column());
    if (role == Qt::DisplayRole)
        return ShownStart(fromFileText(m_doc.Encoding, cellBytes(entry, column, ShownCellBytes)), ShownCellLength);
    if (role == Qt::DecorationRole && column == Column::Name)
        return ImagelistSmall::icon(
            QLatin1String(CountryTable(CountryCode(m_doc.EntryTable[entry].CRC)).imageKey));
    return {};
}

QVariant RomListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return caption(static_cast<Column>(section));
    return {};
}

void RomListModel::reset()
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(m_doc.EntryTable.size());
    for (std::size_t i = 0; i < m_doc.EntryTable.size(); ++i)
        if (!m_doc.EntryTable[i].Removed)
            m_rows.push_back(static_cast<std::uint32_t>(i));
    forgetSortKeys();
    endResetModel();
}

std::optional<int> RomListModel::rowOf(std::size_t entryIndex) const
{
    // Rows stay in table order, so the entry's row is found by bisection.
    const auto found = std::lower_bound(m_rows.begin(), m_rows.end(), entryIndex);
    if (found == m_rows.end() || *found != entryIndex)
        return std::nullopt;
    return static_cast<int>(found - m_rows.begin());
}

void RomListModel::entryChanged(std::size_t entryIndex)
{
    for (int column = 0; column < ColumnCount; ++column) {
        SortKeyColumn &keys = m_sortKeys[static_cast<std::size_t>(column)];
        if (entryIndex < keys.size())
            keys.replace(entryIndex, cellBytes(entryIndex, static_cast<Column>(column)));
    }
    if (entryIndex < m_findText.size())
        m_findText.replace(entryIndex, searchedTexts(entryIndex));
    if (const auto row = rowOf(entryIndex))
        emit dataChanged(index(*row, 0), index(*row, ColumnCount - 1));
}

void RomListModel::entriesChanged(const std::vector<std::size_t> &entryIndexes)
{
    if (entryIndexes.size() > RowsChangedOneByOne) {
        reset();
        return;
    }
    for (const std::size_t entryIndex : entryIndexes)
        entryChanged(entryIndex);
}

void RomListModel::entriesHidden(const std::vector<std::size_t> &entryIndexes)
{
    if (entryIndexes.size() > RowsChangedOneByOne) {
        std::vector<std::size_t> hidden = entryIndexes;
        if (!std::is_sorted(hidden.begin(), hidden.end()))
            std::sort(hidden.begin(), hidden.end());
        replaceRows([&hidden](const RowEntries &rows, RowEntries &result) {
            std::set_difference(rows.begin(), rows.end(), hidden.begin(), hidden.end(), std::back_inserter(result));
        });
        return;
    }
    for (const std::size_t entryIndex : entryIndexes) {
        const auto row = rowOf(entryIndex);
        if (!row)
            continue;
        beginRemoveRows({}, *row, *row);
        m_rows.erase(m_rows.begin() + *row);
        endRemoveRows();
    }
}

void RomListModel::showEntry(std::size_t entryIndex)
{
    if (entryIndex >= m_doc.EntryTable.size() || rowOf(entryIndex))
        return;
    const auto place = std::lower_bound(m_rows.begin(), m_rows.end(), entryIndex);
    const int row = static_cast<int>(place - m_rows.begin());
    beginInsertRows({}, row, row);
    m_rows.insert(place, static_cast<std::uint32_t>(entryIndex));
    endInsertRows();
}

void RomListModel::entriesShown(const std::vector<std::size_t> &entryIndexes)
{
    if (entryIndexes.size() > RowsChangedOneByOne) {
        std::vector<std::size_t> shown;
        shown.reserve(entryIndexes.size());
        for (const std::size_t entryIndex : entryIndexes)
            if (entryIndex < m_doc.EntryTable.size())
                shown.push_back(entryIndex);
        if (!std::is_sorted(shown.begin(), shown.end()))
            std::sort(shown.begin(), shown.end());
        replaceRows([&shown](const RowEntries &rows, RowEntries &result) {
            std::set_union(rows.begin(), rows.end(), shown.begin(), shown.end(), std::back_inserter(result));
        });
        return;
    }
    for (const std::size_t entryIndex : entryIndexes)
        showEntry(entryIndex);
}

template <typename Make>
void RomListModel::replaceRows(const Make &make)
{
    // One rebuild for many rows: the caches by entry still hold.
    beginResetModel();
    RowEntries rows;
    rows.reserve(m_rows.size());
    make(m_rows, rows);
    m_rows = std::move(rows);
    endResetModel();
}

template <typename NewPlace>
void RomListModel::followMovedEntries(const NewPlace &newPlace)
{
    for (std::uint32_t &entry : m_rows)
        entry = static_cast<std::uint32_t>(newPlace(entry));
    forgetSortKeys();
    emit entryPlacesChanged();
}

std::size_t RomListModel::runsOfRows(const std::vector<std::size_t> &entryIndexes) const
{
    std::size_t runs = 0;
    auto lastPlace = m_rows.end();
    for (const std::size_t entryIndex : entryIndexes) {
        const auto place = std::lower_bound(m_rows.begin(), m_rows.end(), entryIndex);
        if (runs == 0 || place != lastPlace)
            ++runs;
        lastPlace = place;
    }
    return runs;
}

void RomListModel::entriesInserted(const std::vector<std::size_t> &entryIndexes)
{
    followMovedEntries(PlaceAfterInsert(entryIndexes));
    // New entries between the same two rows come in as one run of rows (many pasted ones
    // at the end of the table as one); new entries in many places rebuild the list at once.
    if (runsOfRows(entryIndexes) > RowsChangedOneByOne) {
        reset();
        return;
    }
    std::vector<std::uint32_t> run;
    for (std::size_t next = 0; next < entryIndexes.size();) {
        const auto place = std::lower_bound(m_rows.begin(), m_rows.end(), entryIndexes[next]);
        const auto row = static_cast<int>(place - m_rows.begin());
        const std::size_t below = place == m_rows.end() ? m_doc.EntryTable.size() : *place;
        run.clear();
        for (; next < entryIndexes.size() && entryIndexes[next] < below; ++next)
            if (!m_doc.EntryTable[entryIndexes[next]].Removed)
                run.push_back(static_cast<std::uint32_t>(entryIndexes[next]));
        if (run.empty())
            continue;
        beginInsertRows({}, row, row + static_cast<int>(run.size()) - 1);
        m_rows.insert(m_rows.begin() + row, run.begin(), run.end());
        endInsertRows();
    }
}

void RomListModel::entriesErased(const std::vector<std::size_t> &entryIndexes)
{
    followMovedEntries([&entryIndexes](std::size_t entry) { return PlaceAfterErase(entryIndexes, entry); });
}

void RomListModel::follow(const DocumentSession &session)
{
    connect(&session, &DocumentSession::documentReset, this, &RomListModel::reset);
    connect(&session, &DocumentSession::entriesChanged, this, &RomListModel::entriesChanged);
    connect(&session, &DocumentSession::entriesRemoved, this, &RomListModel::entriesHidden);
    connect(&session, &DocumentSession::entriesRestored, this, &RomListModel::entriesShown);
    connect(&session, &DocumentSession::entriesInserted, this, &RomListModel::entriesInserted);
    // Rows leave while their entries are still there to be shown.
    connect(&session, &DocumentSession::entriesAboutToBeErased, this, &RomListModel::entriesHidden);
    connect(&session, &DocumentSession::entriesErased, this, &RomListModel::entriesErased);
}

const SortKeyColumn &RomListModel::sortKeys(int column) const
{
    SortKeyColumn &keys = m_sortKeys[static_cast<std::size_t>(column)];
    if (keys.size() != m_doc.EntryTable.size()) {
        keys.startOver(m_doc.EntryTable.size());
        for (std::size_t entry = 0; entry < m_doc.EntryTable.size(); ++entry)
            keys.append(cellBytes(entry, static_cast<Column>(column)));
    }
    return keys;
}

std::array<std::string_view, 4> RomListModel::searchedTexts(std::size_t entryIndex) const
{
    // The texts themselves, not the cells: an empty text's one blank is nothing to find.
    const RomEntry &entry = m_doc.EntryTable[entryIndex];
    return {entry.Name, entry.CRC, entry.Comment, entry.Info};
}

const FindText &RomListModel::findText() const
{
    if (m_findText.size() != m_doc.EntryTable.size()) {
        std::size_t bytes = 0;
        for (std::size_t entry = 0; entry < m_doc.EntryTable.size(); ++entry)
            for (const std::string_view text : searchedTexts(entry))
                bytes += text.size() + 1;
        m_findText.startOver(m_doc.EntryTable.size(), bytes, m_doc.Encoding);
        for (std::size_t entry = 0; entry < m_doc.EntryTable.size(); ++entry)
            m_findText.append(searchedTexts(entry));
    }
    return m_findText;
}

void RomListModel::forgetSortKeys()
{
    for (SortKeyColumn &keys : m_sortKeys)
        keys.clear();
    m_findText.clear();
}

int RomListModel::designWidth(Column column)
{
    return (Columns[static_cast<std::size_t>(column)].widthTwips + TwipsPerPixel / 2) / TwipsPerPixel;
}

QString RomListModel::caption(Column column)
{
    return QLatin1String(Columns[static_cast<std::size_t>(column)].caption);
}
