#include "MergeListModel.h"

#include "ui/FileText.h"
#include "ui/TextStart.h"

#include <QFont>
#include <QStringList>

#include <algorithm>

namespace {

const std::array<const char *, MergeListModel::GroupCount> GroupCaptions{"New ROMs", "Changed There", "Conflicts",
                                                                         "Removed There"};
const std::array<const char *, MergeListModel::ColumnCount> ColumnCaptions{"ROM",  "CRC",  "Field",
                                                                           "Base", "Mine", "Theirs"};
// A cell lays out all it is given: a long value shows its start, the tip a longer one.
constexpr qsizetype ShownCellLength = 200;
constexpr qsizetype ShownTipLength = 2000;

// A value of several lines (kept lines, the file's head) in one cell.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" \u21B5 "));
    return text;
}

} // namespace

MergeListModel::MergeListModel(const MergeResult &result, const IniDocument &mine, QObject *parent)
    : QAbstractItemModel(parent),
      m_result(result),
      m_mine(mine),
      m_choices(DefaultChoices(result)),
      m_takePreamble(result.preamble && result.preamble->takenByDefault),
      m_rowOf(result.changes.size() + 1, 0)
{
    for (Item item = 0; item < m_result.changes.size(); ++item)
        m_all[static_cast<std::size_t>(groupOf(item))].push_back(item);
    if (m_result.preamble) {
        const Item preamble = m_result.changes.size();
        // The head of the file leads its group.
        auto &group = m_all[static_cast<std::size_t>(groupOf(preamble))];
        group.insert(group.begin(), preamble);
    }
    showItems(nullptr);
}

MergeListModel::Group MergeListModel::groupOf(Item item) const
{
    if (isPreamble(item))
        return m_result.preamble->conflict ? Group::Conflicts : Group::ChangedThere;
    switch (m_result.changes[item].kind) {
    case MergeChangeKind::NewRom:
        return Group::NewRoms;
    case MergeChangeKind::ChangedThere:
        return Group::ChangedThere;
    case MergeChangeKind::Conflict:
        return Group::Conflicts;
    case MergeChangeKind::RemovedThere:
        break;
    }
    return Group::RemovedThere;
}

QModelIndex MergeListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    if (!parent.isValid())
        return row < GroupCount ? createIndex(row, column, GroupId) : QModelIndex();
    if (parent.internalId() == GroupId) {
        const auto &shown = m_shown[static_cast<std::size_t>(parent.row())];
        return static_cast<std::size_t>(row) < shown.size()
                   ? createIndex(row, column, quintptr{1} + static_cast<quintptr>(parent.row()))
                   : QModelIndex();
    }
    if (parent.internalId() < FieldBase && parent.column() == 0) {
        const Item item = itemAt(parent);
        if (!isPreamble(item) && static_cast<std::size_t>(row) < fieldRows(item).size())
            return createIndex(row, column, FieldBase + item);
    }
    return {};
}

QModelIndex MergeListModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == GroupId)
        return {};
    if (child.internalId() < FieldBase)
        return groupIndex(static_cast<Group>(child.internalId() - 1));
    return itemIndex(child.internalId() - FieldBase);
}

int MergeListModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return GroupCount;
    if (parent.column() != 0)
        return 0;
    if (parent.internalId() == GroupId)
        return static_cast<int>(m_shown[static_cast<std::size_t>(parent.row())].size());
    if (parent.internalId() < FieldBase) {
        const Item item = itemAt(parent);
        if (isPreamble(item))
            return 0;
        // One field is shown in the row of its ROM.
        const std::size_t fields = fieldRows(item).size();
        return fields > 1 ? static_cast<int>(fields) : 0;
    }
    return 0;
}

int MergeListModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

MergeListModel::Item MergeListModel::itemAt(const QModelIndex &index) const
{
    return m_shown[index.internalId() - 1][static_cast<std::size_t>(index.row())];
}

QModelIndex MergeListModel::itemIndex(Item item, int column) const
{
    return createIndex(m_rowOf[item], column, quintptr{1} + static_cast<quintptr>(groupOf(item)));
}

std::vector<MergeListModel::FieldRow> MergeListModel::fieldRows(std::size_t change) const
{
    const MergeChange &merged = m_result.changes[change];
    std::vector<FieldRow> rows;
    for (std::size_t conflict = 0; conflict < merged.conflicts.size(); ++conflict)
        rows.push_back({merged.conflicts[conflict].field, conflict});
    for (const MergeField field : merged.changedThere)
        rows.push_back({field, std::nullopt});
    return rows;
}

const RomEntry &MergeListModel::shownEntry(const MergeChange &change) const
{
    return change.mineIndex ? m_mine.EntryTable[*change.mineIndex] : change.theirs;
}

QString MergeListModel::fileText(std::string_view bytes) const
{
    return fromFileText(m_mine.Encoding, bytes);
}

QString MergeListModel::otherFileText(std::string_view bytes, bool unencodable) const
{
    // What mine's encoding cannot hold stays in its own file's, which is then the other one.
    if (!unencodable)
        return fileText(bytes);
    return fromFileText(m_mine.Encoding == TextEncoding::Utf8 ? TextEncoding::Windows1252 : TextEncoding::Utf8, bytes);
}

MergeListModel::Values MergeListModel::fieldValues(std::size_t change, const FieldRow &row) const
{
    const MergeChange &merged = m_result.changes[change];
    if (row.conflict) {
        const FieldConflict &conflict = merged.conflicts[*row.conflict];
        return {otherFileText(conflict.base, conflict.baseUnencodable), fileText(conflict.mine),
                otherFileText(conflict.theirs, !takeable(conflict))};
    }
    // Only theirs changed it: mine still holds the base's value.
    const QString mine = fileText(MergeFieldText(shownEntry(merged), row.field));
    return {mine, mine, fileText(MergeFieldText(merged.theirs, row.field))};
}

QVariant MergeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() == GroupId)
        return groupData(static_cast<Group>(index.row()), index.column(), role);
    if (index.internalId() < FieldBase)
        return itemData(itemAt(index), index.column(), role);
    const std::size_t change = index.internalId() - FieldBase;
    return fieldData(change, fieldRows(change)[static_cast<std::size_t>(index.row())], index.column(), role);
}

QVariant MergeListModel::groupData(Group group, int column, int role) const
{
    if (role == Qt::FontRole) {
        QFont heading;
        heading.setBold(true);
        return heading;
    }
    if (role != Qt::DisplayRole || column != 0)
        return {};
    const auto g = static_cast<std::size_t>(group);
    const QString caption = QLatin1String(GroupCaptions[g]);
    if (m_shown[g].size() == m_all[g].size())
        return QStringLiteral("%1 (%2)").arg(caption).arg(m_all[g].size());
    return QStringLiteral("%1 (%2 of %3)").arg(caption).arg(m_shown[g].size()).arg(m_all[g].size());
}

QVariant MergeListModel::valueData(const Values &values, int column) const
{
    const auto which = static_cast<Column>(column);
    if (which < Column::Base || which > Column::Theirs)
        return {};
    return ShownStart(oneLine(values.at(which)), ShownCellLength);
}

QVariant MergeListModel::itemData(Item item, int column, int role) const
{
    const auto which = static_cast<Column>(column);
    if (role == Qt::CheckStateRole && which == Column::Rom)
        return itemCheck(item);
    if (isPreamble(item)) {
        const PreambleMerge &head = *m_result.preamble;
        const Values values{otherFileText(head.base, head.baseUnencodable), fileText(head.mine),
                            otherFileText(head.theirs, head.theirsUnencodable)};
        if (role == Qt::ToolTipRole && column >= static_cast<int>(Column::Base))
            return ShownStart(values.at(which), ShownTipLength);
        if (role != Qt::DisplayRole)
            return {};
        if (which == Column::Rom)
            return QStringLiteral("File head");
        return which == Column::Field ? QStringLiteral("Comment lines at the top") : valueData(values, column);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const MergeChange &change = m_result.changes[item];
    const RomEntry &entry = shownEntry(change);
    const std::vector<FieldRow> fields = fieldRows(item);
    if (fields.size() == 1 && which >= Column::Field)
        return fieldData(item, fields.front(), column, role);
    if (role == Qt::ToolTipRole)
        return {};
    switch (which) {
    case Column::Rom:
        return ShownStart(fileText(entry.Name), ShownCellLength);
    case Column::Crc:
        return otherFileText(entry.CRC, change.crcUnencodable);
    case Column::Field:
        if (change.removedOn == RemovedOn::Theirs)
            return QStringLiteral("Removed there, changed here");
        if (change.removedOn == RemovedOn::Mine)
            return QStringLiteral("Removed here, changed there");
        if (fields.empty())
            return {};
        {
            QStringList names;
            for (const FieldRow &row : fields)
                names.append(QLatin1String(MergeFieldName(row.field)));
            return names.join(QStringLiteral(", "));
        }
    default:
        return {};
    }
}

QVariant MergeListModel::fieldData(std::size_t change, const FieldRow &row, int column, int role) const
{
    const auto which = static_cast<Column>(column);
    const bool unencodable = row.conflict && !takeable(m_result.changes[change].conflicts[*row.conflict]);
    if (role == Qt::CheckStateRole && which == Column::Rom && row.conflict)
        return fieldCheck(change, *row.conflict);
    if (role == Qt::ToolTipRole) {
        if (unencodable)
            return QStringLiteral("Their value holds characters this file cannot hold, so yours is kept.");
        if (which < Column::Base)
            return {};
        const Values values = fieldValues(change, row);
        return ShownStart(values.at(which), ShownTipLength);
    }
    if (role != Qt::DisplayRole)
        return {};
    if (which == Column::Field)
        return QLatin1String(MergeFieldName(row.field));
    if (which == Column::Rom)
        return row.conflict ? QStringLiteral("Take theirs") : QStringLiteral("Changed there");
    return which >= Column::Base ? valueData(fieldValues(change, row), column) : QVariant();
}

Qt::CheckState MergeListModel::fieldCheck(std::size_t change, std::size_t conflict) const
{
    const std::vector<bool> &fields = m_choices[change].takeField;
    return conflict < fields.size() && fields[conflict] ? Qt::Checked : Qt::Unchecked;
}

bool MergeListModel::checksFields(Item item) const
{
    const MergeChange &change = m_result.changes[item];
    return change.mineIndex && !change.conflicts.empty() && change.changedThere.empty();
}

Qt::CheckState MergeListModel::itemCheck(Item item) const
{
    if (isPreamble(item))
        return m_takePreamble ? Qt::Checked : Qt::Unchecked;
    const MergeChange &change = m_result.changes[item];
    if (!checksFields(item))
        return m_choices[item].take ? Qt::Checked : Qt::Unchecked;
    std::size_t taken = 0;
    std::size_t takeableFields = 0;
    for (std::size_t conflict = 0; conflict < change.conflicts.size(); ++conflict) {
        takeableFields += takeable(change.conflicts[conflict]) ? 1 : 0;
        taken += fieldCheck(item, conflict) == Qt::Checked ? 1 : 0;
    }
    if (taken == 0)
        return Qt::Unchecked;
    return taken == takeableFields ? Qt::Checked : Qt::PartiallyChecked;
}

bool MergeListModel::canTake(Item item) const
{
    if (isPreamble(item))
        return !m_result.preamble->theirsUnencodable;
    const MergeChange &change = m_result.changes[item];
    if (change.crcUnencodable)
        return false;
    return !checksFields(item) || std::any_of(change.conflicts.begin(), change.conflicts.end(),
                                              [this](const FieldConflict &conflict) { return takeable(conflict); });
}

Qt::ItemFlags MergeListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.internalId() == GroupId || index.column() != 0)
        return shown;
    if (index.internalId() < FieldBase)
        return canTake(itemAt(index)) ? shown | Qt::ItemIsUserCheckable : shown;
    const std::size_t change = index.internalId() - FieldBase;
    const FieldRow row = fieldRows(change)[static_cast<std::size_t>(index.row())];
    if (!row.conflict)
        return shown;
    return takeable(m_result.changes[change].conflicts[*row.conflict]) ? shown | Qt::ItemIsUserCheckable
                                                                       : Qt::ItemIsSelectable;
}

bool MergeListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    const bool take = value.value<Qt::CheckState>() != Qt::Unchecked;
    if (index.internalId() < FieldBase) {
        const Item item = itemAt(index);
        setItemTaken(item, take, isPreamble(item) || checksFields(item));
        choiceChanged(item);
        return true;
    }
    const std::size_t change = index.internalId() - FieldBase;
    setFieldTaken(change, *fieldRows(change)[static_cast<std::size_t>(index.row())].conflict, take);
    choiceChanged(change);
    return true;
}

void MergeListModel::setFieldTaken(std::size_t change, std::size_t conflict, bool take)
{
    MergeChoice &choice = m_choices[change];
    choice.takeField.resize(m_result.changes[change].conflicts.size(), false);
    choice.takeField[conflict] = take && takeable(m_result.changes[change].conflicts[conflict]);
}

void MergeListModel::setItemTaken(Item item, bool take, bool withFields)
{
    if (isPreamble(item)) {
        m_takePreamble = take && canTake(item);
        return;
    }
    m_choices[item].take = take && canTake(item);
    for (std::size_t conflict = 0; withFields && conflict < m_result.changes[item].conflicts.size(); ++conflict)
        setFieldTaken(item, conflict, take);
}

void MergeListModel::choiceChanged(Item item)
{
    emit dataChanged(itemIndex(item), itemIndex(item), {Qt::CheckStateRole});
    fieldChecksChanged(item);
}

void MergeListModel::fieldChecksChanged(Item item)
{
    if (const int fields = isPreamble(item) ? 0 : rowCount(itemIndex(item)); fields > 0)
        emit dataChanged(index(0, 0, itemIndex(item)), index(fields - 1, 0, itemIndex(item)), {Qt::CheckStateRole});
}

void MergeListModel::setGroupTaken(Group group, bool take)
{
    const auto &shown = m_shown[static_cast<std::size_t>(group)];
    if (shown.empty())
        return;
    for (const Item item : shown)
        setItemTaken(item, take, true);
    const QModelIndex parent = groupIndex(group);
    emit dataChanged(index(0, 0, parent), index(static_cast<int>(shown.size()) - 1, 0, parent), {Qt::CheckStateRole});
    for (const Item item : shown)
        fieldChecksChanged(item);
}

void MergeListModel::buildFindText() const
{
    const std::size_t items = m_result.changes.size() + 1;
    m_findText.startOver(items, 0, m_mine.Encoding);
    for (const MergeChange &change : m_result.changes) {
        const RomEntry &mine = shownEntry(change);
        const RomEntry &theirs = change.theirs;
        const std::array<std::string_view, 8> texts{mine.Name,   mine.CRC,   mine.Comment,   mine.Info,
                                                    theirs.Name, theirs.CRC, theirs.Comment, theirs.Info};
        m_findText.append(texts);
    }
    // The file's head matches by what either file's head says.
    const std::array<std::string_view, 2> head{m_result.preamble ? m_result.preamble->mine : std::string_view(),
                                               m_result.preamble ? m_result.preamble->theirs : std::string_view()};
    m_findText.append(head);
}

void MergeListModel::setFilter(const QString &text)
{
    if (text.isEmpty()) {
        showItems(nullptr);
        return;
    }
    if (m_findText.size() == 0)
        buildFindText();
    const std::optional<std::string> needle = FindText::folded(text, m_mine.Encoding);
    const std::vector<char> matches = needle ? m_findText.matches(*needle)
                                             : std::vector<char>(m_result.changes.size() + 1, 0);
    showItems(&matches);
}

void MergeListModel::showItems(const std::vector<char> *matches)
{
    // The headings stay, with what they hold taken out and put back, so what hangs on a
    // heading (its buttons, its being open) stays too.
    for (int g = 0; g < GroupCount; ++g) {
        auto &shown = m_shown[static_cast<std::size_t>(g)];
        const QModelIndex heading = groupIndex(static_cast<Group>(g));
        if (!shown.empty()) {
            beginRemoveRows(heading, 0, static_cast<int>(shown.size()) - 1);
            shown.clear();
            endRemoveRows();
        }
        std::vector<Item> now;
        for (const Item item : m_all[static_cast<std::size_t>(g)])
            if (!matches || (*matches)[item])
                now.push_back(item);
        if (!now.empty()) {
            beginInsertRows(heading, 0, static_cast<int>(now.size()) - 1);
            shown = std::move(now);
            for (std::size_t row = 0; row < shown.size(); ++row)
                m_rowOf[shown[row]] = static_cast<int>(row);
            endInsertRows();
        }
        emit dataChanged(heading, heading, {Qt::DisplayRole});
    }
}

QVariant MergeListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QLatin1String(ColumnCaptions[static_cast<std::size_t>(section)]);
}
