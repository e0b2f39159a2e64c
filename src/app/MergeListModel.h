#pragma once

#include "FindText.h"
#include "inidb/IniMerge.h"

#include <QAbstractItemModel>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// Every difference a merge found, grouped under headings with their counts, each ticked
// to take the other file's version or left to keep one's own; a conflict of several fields
// is chosen field by field in rows below it. The choices start as the merge's defaults.
class MergeListModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    enum class Column { Rom, Crc, Field, Base, Mine, Theirs, Count };
    static constexpr int ColumnCount = static_cast<int>(Column::Count);
    enum class Group { NewRoms, ChangedThere, Conflicts, RemovedThere, Count };
    static constexpr int GroupCount = static_cast<int>(Group::Count);

    // mine is the document the merge's mine side was taken from; both must outlive the model.
    MergeListModel(const MergeResult &result, const IniDocument &mine, QObject *parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QModelIndex groupIndex(Group group) const { return createIndex(static_cast<int>(group), 0, GroupId); }
    // Take All (true) or Keep All (false) for the rows of the group the filter shows.
    void setGroupTaken(Group group, bool take);
    // Shows only the differences whose ROM's name, CRC, comments or info hold text, as the
    // find box of the list matches; "" shows all.
    void setFilter(const QString &text);

    const std::vector<MergeChoice> &choices() const { return m_choices; }
    bool takePreamble() const { return m_takePreamble; }

private:
    // Rows under a heading are items: a change, or the file's head.
    using Item = std::size_t;
    // A row below a change: one of its conflicting fields, or a field only theirs changed.
    struct FieldRow {
        MergeField field;
        std::optional<std::size_t> conflict;
    };
    struct Values {
        QString base;
        QString mine;
        QString theirs;
        // The value a column from Base on shows.
        const QString &at(Column column) const
        {
            return column == Column::Base ? base : column == Column::Mine ? mine : theirs;
        }
    };
    static constexpr quintptr GroupId = 0;
    // An item row's id is 1 + its group; a field row's is FieldBase + its item.
    static constexpr quintptr FieldBase = 1 + GroupCount;

    Group groupOf(Item item) const;
    bool isPreamble(Item item) const { return item == m_result.changes.size(); }
    Item itemAt(const QModelIndex &index) const;
    QModelIndex itemIndex(Item item, int column = 0) const;
    std::vector<FieldRow> fieldRows(std::size_t change) const;
    const RomEntry &shownEntry(const MergeChange &change) const;
    QString fileText(std::string_view bytes) const;
    // A value from the base or theirs: in mine's encoding, or, when mine's cannot hold it,
    // as its own file holds it.
    QString otherFileText(std::string_view bytes, bool unencodable) const;
    Values fieldValues(std::size_t change, const FieldRow &row) const;
    QVariant groupData(Group group, int column, int role) const;
    QVariant itemData(Item item, int column, int role) const;
    QVariant fieldData(std::size_t change, const FieldRow &row, int column, int role) const;
    QVariant valueData(const Values &values, int column) const;
    // A conflict of fields alone is ticked by its fields; any other row ticks the
    // change itself (for a conflict, the fields only theirs changed).
    bool checksFields(Item item) const;
    Qt::CheckState itemCheck(Item item) const;
    // Whether theirs can be taken at all: not where mine's encoding cannot hold it.
    bool canTake(Item item) const;
    Qt::CheckState fieldCheck(std::size_t change, std::size_t conflict) const;
    // A choice changed: its row and its field rows show it.
    void choiceChanged(Item item);
    // The ticks of item's field rows changed.
    void fieldChecksChanged(Item item);
    void setItemTaken(Item item, bool take, bool withFields);
    void setFieldTaken(std::size_t change, std::size_t conflict, bool take);
    bool takeable(const FieldConflict &conflict) const { return !conflict.theirsUnencodable; }
    void buildFindText() const;
    void showItems(const std::vector<char> *matches);

    const MergeResult &m_result;
    const IniDocument &m_mine;
    std::vector<MergeChoice> m_choices;
    bool m_takePreamble = false;
    // All items of each group, and those the filter shows; where each shown item's row is.
    std::array<std::vector<Item>, GroupCount> m_all;
    std::array<std::vector<Item>, GroupCount> m_shown;
    std::vector<int> m_rowOf;
    // Empty until the filter is first used.
    mutable FindText m_findText;
};
