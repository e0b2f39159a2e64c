#pragma once

#include "FindText.h"
#include "inidb/HugePages.h"
#include "SortKeyColumn.h"
#include "inidb/IniDocument.h"

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class DocumentSession;

// The ROM list as a view of the entry table: one row per entry not removed, in table
// order; every row knows the index of its own entry.
class RomListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Column { Name, CRC, Country, UCode, Comments, Info, ExtraSettings, Count };
    static constexpr int ColumnCount = static_cast<int>(Column::Count);

    explicit RomListModel(const IniDocument &doc, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Follows every change the session announces.
    void follow(const DocumentSession &session);
    // FillRomList: rebuilds every row from the table.
    void reset();
    // The entry's fields changed: its row shows them now.
    void entryChanged(std::size_t entryIndex);
    // Many changed entries rebuild the list, which is quicker than a row at a time.
    void entriesChanged(const std::vector<std::size_t> &entryIndexes);
    // The entries were flagged removed: their rows leave the list. Many rows leave in one
    // rebuild, as do many returning ones.
    void entriesHidden(const std::vector<std::size_t> &entryIndexes);
    // The entries are back: their rows return at their table places.
    void entriesShown(const std::vector<std::size_t> &entryIndexes);
    // New entries at these table places; the entries behind them moved up.
    void entriesInserted(const std::vector<std::size_t> &entryIndexes);
    // The entries left the table (their rows left the list before, as hidden ones): the
    // rows behind them follow their entries down.
    void entriesErased(const std::vector<std::size_t> &entryIndexes);

    std::size_t entryIndex(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    std::optional<int> rowOf(std::size_t entryIndex) const;
    QString cellText(std::size_t entryIndex, Column column) const;
    // What the list sorts a column by, for every entry (removed ones too, so a restored
    // row sorts without a rebuild); worked out on first use after a fill.
    const SortKeyColumn &sortKeys(int column) const;
    // What the find box searches (Name, CRC, Comments, Info), for every entry; worked out
    // on first use after a fill.
    const FindText &findText() const;
    TextEncoding textEncoding() const { return m_doc.Encoding; }

    // Design width of a column in pixels.
    static int designWidth(Column column);
    static QString caption(Column column);

signals:
    // Entries moved in the table (an insert or an erase): caches by entry are stale.
    void entryPlacesChanged();

private:
    // How many runs of neighbouring rows the new entries make.
    std::size_t runsOfRows(const std::vector<std::size_t> &entryIndexes) const;
    void showEntry(std::size_t entryIndex);
    void forgetSortKeys();
    // The table index of every row, ascending.
    using RowEntries = std::vector<std::uint32_t, FreshBlockAllocator<std::uint32_t, PageFill::AtOnce>>;
    // Rebuilds the list with make(oldRows, newRows).
    template <typename Make>
    void replaceRows(const Make &make);
    // Every row's entry index becomes newPlace(index); the caches by entry are dropped.
    template <typename NewPlace>
    void followMovedEntries(const NewPlace &newPlace);
    // The cell's text in the file's single-byte characters, of a free text at most its
    // first maxTextBytes.
    std::string cellBytes(std::size_t entryIndex, Column column, std::size_t maxTextBytes = std::string::npos) const;
    // The entry's own texts behind the Name, CRC, Comments and Info cells.
    std::array<std::string_view, 4> searchedTexts(std::size_t entryIndex) const;

    const IniDocument &m_doc;
    // The table index of every row, in table order; 32 bits hold any row of a list that
    // counts its rows in int.
    RowEntries m_rows;
    // Empty until that column is first sorted.
    mutable std::array<SortKeyColumn, ColumnCount> m_sortKeys;
    // Empty until the find box first filters.
    mutable FindText m_findText;
};
