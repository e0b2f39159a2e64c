#include "DocumentSession.h"

#include "DocumentSteps.h"
#include "MergeStep.h"
#include "ui/FileText.h"

#include <algorithm>

DocumentSession::DocumentSession(IniDocument &doc, QObject *parent) : QObject(parent), m_doc(doc)
{
    connect(&m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { emit unsavedChanged(!clean); });
}

LoadResult DocumentSession::load(FileSystem &fs)
{
    LoadResult result = LoadIniFile(m_doc, fs);
    if (!result.status.ok())
        return result;
    // The steps refer to the table just replaced.
    m_history.clear();
    emit documentReset();
    emit pathChanged();
    return result;
}

DocumentSaveResult DocumentSession::save(const std::string &path, std::span<const std::size_t> displayedOrder,
                                         FileSystem &fs)
{
    DocumentSaveResult result = SaveDocument(m_doc, path, displayedOrder, fs);
    if (!result.status.ok())
        return result;
    if (!result.tableKept) {
        m_history.clear();
        emit documentReset();
    }
    m_history.setClean();
    emit pathChanged();
    return result;
}

QString DocumentSession::nameOf(std::size_t index) const
{
    return fromFileText(m_doc.Encoding, m_doc.EntryTable[index].Name);
}

bool DocumentSession::editEntry(std::size_t index, const RomEntry &values)
{
    return editEntries({{index, values}});
}

bool DocumentSession::editEntries(std::vector<PlacedEntry> values)
{
    // values becomes the step's values after, in place: for many entries each copy counts.
    std::vector<PlacedEntry> before;
    before.reserve(values.size());
    std::size_t changed = 0;
    for (PlacedEntry &value : values) {
        if (value.index >= m_doc.EntryTable.size() || value.entry == m_doc.EntryTable[value.index])
            continue;
        const RomEntry &current = m_doc.EntryTable[value.index];
        before.push_back({value.index, current});
        values[changed++] = {value.index, WithTextsKept(m_doc, value.entry, current)};
    }
    if (changed == 0)
        return false;
    values.resize(changed);
    const auto byPlace = [](const PlacedEntry &a, const PlacedEntry &b) { return a.index < b.index; };
    if (!std::is_sorted(values.begin(), values.end(), byPlace)) {
        std::sort(before.begin(), before.end(), byPlace);
        std::sort(values.begin(), values.end(), byPlace);
    }
    const QString name = stepNameFor(QStringLiteral("Edit"), values.size(), values.front().index);
    m_history.push(new EditStep(*this, name, std::move(before), std::move(values)));
    return true;
}

QString DocumentSession::stepNameFor(const QString &verb, std::size_t count, std::size_t first) const
{
    return count == 1 ? QStringLiteral("%1 \"%2\"").arg(verb, nameOf(first))
                      : QStringLiteral("%1 %2 ROMs").arg(verb).arg(count);
}

bool DocumentSession::removeEntries(const std::vector<std::size_t> &indexes)
{
    std::vector<std::size_t> shown = FlaggedRemoved(m_doc, indexes, false);
    if (shown.empty())
        return false;
    const QString name = stepNameFor(QStringLiteral("Remove"), shown.size(), shown.front());
    for (const std::size_t index : shown)
        m_doc.UndoList.push_back({std::string(m_doc.EntryTable[index].Name), std::string(m_doc.EntryTable[index].CRC),
                                  index, m_doc.LoadGeneration});
    m_history.push(new RemovedStep(*this, name, std::move(shown), true));
    return true;
}

bool DocumentSession::restoreEntries(const std::vector<std::size_t> &indexes)
{
    std::vector<std::size_t> removed = FlaggedRemoved(m_doc, indexes, true);
    if (removed.empty())
        return false;
    const QString name = stepNameFor(QStringLiteral("Restore"), removed.size(), removed.front());
    m_history.push(new RemovedStep(*this, name, std::move(removed), false));
    return true;
}

std::vector<PlacedEntry> DocumentSession::keptNew(const std::vector<PlacedEntry> &entries)
{
    std::vector<PlacedEntry> kept;
    kept.reserve(entries.size());
    for (const PlacedEntry &placed : entries)
        kept.push_back({placed.index, WithTextsKept(m_doc, placed.entry)});
    return kept;
}

bool DocumentSession::insertEntries(const std::vector<PlacedEntry> &entries, const QString &stepName)
{
    if (entries.empty())
        return false;
    m_history.push(new InsertStep(*this, stepName, keptNew(entries)));
    return true;
}

bool DocumentSession::pasteEntries(const std::vector<PlacedEntry> &replacing, const std::vector<PlacedEntry> &added,
                                   const QString &stepName)
{
    if (replacing.empty() && added.empty())
        return false;
    auto *step = new QUndoCommand(stepName);
    if (!replacing.empty()) {
        std::vector<PlacedEntry> before;
        std::vector<PlacedEntry> after;
        std::vector<std::size_t> comingBack;
        for (const PlacedEntry &placed : replacing) {
            const RomEntry &current = m_doc.EntryTable[placed.index];
            before.push_back({placed.index, current});
            after.push_back({placed.index, WithTextsKept(m_doc, placed.entry, current)});
            if (current.Removed)
                comingBack.push_back(placed.index);
        }
        new EditStep(*this, {}, std::move(before), std::move(after), step);
        if (!comingBack.empty())
            new RemovedStep(*this, {}, std::move(comingBack), false, step);
    }
    if (!added.empty())
        new InsertStep(*this, {}, keptNew(added), step);
    m_history.push(step);
    return true;
}

bool DocumentSession::upperCaseCrcs()
{
    // A step that changes nothing would still cut off what could be redone.
    if (!AnyLowerCaseCrc(m_doc))
        return false;
    m_history.push(new UpperCaseStep(*this));
    return true;
}

bool DocumentSession::applyMerge(MergeEdits edits, const QString &stepName)
{
    if (edits.empty())
        return false;
    std::vector<PlacedEntry> before;
    before.reserve(edits.replaced.size());
    for (const PlacedEntry &placed : edits.replaced)
        before.push_back({placed.index, m_doc.EntryTable[placed.index]});
    m_history.push(new MergeStep(*this, stepName, std::move(before), m_doc.Preamble, std::move(edits)));
    return true;
}

void DocumentSession::replace(std::span<const PlacedEntry> values)
{
    ReplaceEntries(m_doc, values);
    emit entriesChanged(PlacesOf(values));
}

void DocumentSession::setRemoved(const std::vector<std::size_t> &indexes, bool removed)
{
    SetRemoved(m_doc, indexes, removed);
    if (removed)
        emit entriesRemoved(indexes);
    else
        emit entriesRestored(indexes);
}

void DocumentSession::insert(std::span<const PlacedEntry> entries, std::span<const RecordPlace> records)
{
    InsertEntries(m_doc, entries);
    // The history puts entries back at the places they were erased from, so a ROM added,
    // removed, and brought back by redo can be restored from the menu again.
    for (const RecordPlace &place : records)
        m_doc.UndoList[place.record].entryIndex = place.entryIndex;
    emit entriesInserted(PlacesOf(entries));
}

std::vector<DocumentSession::RecordPlace> DocumentSession::erase(const std::vector<std::size_t> &indexes)
{
    std::vector<RecordPlace> records;
    for (std::size_t record = 0; record < m_doc.UndoList.size(); ++record) {
        const std::size_t entry = m_doc.UndoList[record].entryIndex;
        if (std::binary_search(indexes.begin(), indexes.end(), entry))
            records.push_back({record, entry});
    }
    emit entriesAboutToBeErased(indexes);
    EraseEntries(m_doc, indexes);
    emit entriesErased(indexes);
    return records;
}

std::vector<ChangedCrc> DocumentSession::upperCase()
{
    std::vector<ChangedCrc> changes = UpperCaseCRCs(m_doc);
    announceCrcs(changes);
    return changes;
}

void DocumentSession::setPreamble(const std::string &preamble)
{
    m_doc.Preamble = preamble;
}

void DocumentSession::setCrcs(std::span<const ChangedCrc> changes, bool after)
{
    SetCrcs(m_doc, changes, after);
    announceCrcs(changes);
}

void DocumentSession::announceCrcs(std::span<const ChangedCrc> changes)
{
    std::vector<std::size_t> indexes;
    indexes.reserve(changes.size());
    for (const ChangedCrc &change : changes)
        indexes.push_back(change.index);
    if (!indexes.empty())
        emit entriesChanged(indexes);
}
