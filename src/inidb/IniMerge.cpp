#include "IniMerge.h"

#include "IniWriter.h"
#include "MergeFields.h"
#include "MergeMatching.h"
#include "RecodedSide.h"

#include <algorithm>
#include <future>

namespace {

constexpr StoredText RomEntry::*kAllTexts[] = {&RomEntry::Name, &RomEntry::CRC, &RomEntry::Comment, &RomEntry::Info,
                                               &RomEntry::UnknownLines};

// The fields of set, in MergeField order.
std::vector<MergeField> fieldsOf(MergeFieldSet set)
{
    std::vector<MergeField> fields;
    for (std::size_t index = 0; index < MergeFieldCount; ++index)
        if (set & FieldBit(static_cast<MergeField>(index)))
            fields.push_back(static_cast<MergeField>(index));
    return fields;
}

// Brings theirs into mine: matches the entries of the sides, then looks at each ROM once.
class Merger final {
public:
    Merger(const MergeSide *base, const MergeSide &mine, const MergeSide &theirs)
        : m_mine(mine, mine.encoding), m_theirs(theirs, mine.encoding)
    {
        if (base)
            m_base.emplace(*base, mine.encoding);
    }

    MergeResult run()
    {
        match();
        lookAtTheirs();
        std::vector<std::pair<std::size_t, MergeChange>> inserted = changesOfTheirsAlone();
        auto nextInserted = inserted.begin();
        const std::size_t mineCount = m_mine.side().order.size();
        // Room for every change at most, so the changes are not moved as they come.
        std::size_t most = inserted.size();
        for (std::uint32_t mineAt = 0; mineAt < mineCount; ++mineAt)
            most += m_theirsDiffers[mineAt] != 0 || m_mineTheirs.aToB[mineAt] == NoMatch;
        m_result.changes.reserve(most);
        for (std::uint32_t mineAt = 0; mineAt < mineCount; ++mineAt) {
            // What goes after mine's earlier entries comes before this one's change.
            for (; nextInserted != inserted.end() && nextInserted->first <= mineAt; ++nextInserted)
                m_result.changes.push_back(std::move(nextInserted->second));
            changeOfMine(mineAt);
        }
        for (; nextInserted != inserted.end(); ++nextInserted)
            m_result.changes.push_back(std::move(nextInserted->second));
        mergePreamble();
        return std::move(m_result);
    }

private:
    void match()
    {
        const std::size_t baseCount = m_base ? m_base->side().order.size() : 0;
        const MergeArray<std::uint32_t> positions =
            PositionsBelow(std::max({baseCount, m_mine.side().order.size(), m_theirs.side().order.size()}));
        const auto all = [&positions](const RecodedSide &side) {
            return std::span(positions).first(side.side().order.size());
        };
        const std::span<const std::uint32_t> mineAll = all(m_mine);
        const std::span<const std::uint32_t> theirsAll = all(m_theirs);
        m_mineTheirs = emptyMatching(m_mine, m_theirs);
        if (!m_base) {
            MatchEntries(m_mine, mineAll, m_theirs, CrcIndex(m_theirs, theirsAll), m_mineTheirs);
            return;
        }
        const std::span<const std::uint32_t> baseAll = all(*m_base);
        const CrcIndex baseIndex(*m_base, baseAll);
        m_mineBase = emptyMatching(m_mine, *m_base);
        m_theirsBase = emptyMatching(m_theirs, *m_base);
        // Theirs' half of the matching runs beside mine's: on large files it is most of
        // the merge's time.
        std::future<void> theirsMatched = std::async(std::launch::async, [&] {
            MatchEntries(m_theirs, theirsAll, *m_base, baseIndex, m_theirsBase);
        });
        MatchEntries(m_mine, mineAll, *m_base, baseIndex, m_mineBase);
        theirsMatched.get();
        for (std::uint32_t baseAt = 0; baseAt < baseAll.size(); ++baseAt) {
            const std::uint32_t mineAt = m_mineBase.bToA[baseAt];
            const std::uint32_t theirsAt = m_theirsBase.bToA[baseAt];
            if (mineAt != NoMatch && theirsAt != NoMatch) {
                m_mineTheirs.aToB[mineAt] = theirsAt;
                m_mineTheirs.bToA[theirsAt] = mineAt;
            }
        }
        // ROMs both sides added since the base are the same ROM too.
        const std::vector<std::uint32_t> mineAdded = unmatched(m_mineBase.aToB);
        const std::vector<std::uint32_t> theirsAdded = unmatched(m_theirsBase.aToB);
        MatchEntries(m_mine, mineAdded, m_theirs, CrcIndex(m_theirs, theirsAdded), m_mineTheirs);
    }

    static std::vector<std::uint32_t> unmatched(const MergeArray<std::uint32_t> &partners)
    {
        std::vector<std::uint32_t> positions;
        for (std::uint32_t position = 0; position < partners.size(); ++position)
            if (partners[position] == NoMatch)
                positions.push_back(position);
        return positions;
    }

    static EntryMatching emptyMatching(const RecodedSide &a, const RecodedSide &b)
    {
        return {MergeArray<std::uint32_t>(a.side().order.size(), NoMatch),
                MergeArray<std::uint32_t>(b.side().order.size(), NoMatch)};
    }

    std::uint32_t baseOfMine(std::uint32_t mineAt) const { return m_base ? m_mineBase.aToB[mineAt] : NoMatch; }
    std::uint32_t baseOfTheirs(std::uint32_t theirsAt) const
    {
        return m_base ? m_theirsBase.aToB[theirsAt] : NoMatch;
    }

    // The fields in which two entries differ; a text one side could not take into mine's
    // encoding differs from every text the other side can hold.
    static MergeFieldSet differing(const RecodedSide &a, std::uint32_t atA, const RecodedSide &b, std::uint32_t atB)
    {
        const MergeFieldSet unencodableTexts = (a.unencodable(atA) ^ b.unencodable(atB)) & ~UnencodableCrc;
        return DifferingFields(a.entry(atA), b.entry(atB)) | unencodableTexts;
    }

    void keepTexts(RomEntry &entry)
    {
        for (StoredText RomEntry::*text : kAllTexts)
            entry.*text = m_result.texts.keep(entry.*text);
    }

    FieldConflict conflictOf(MergeField field, std::uint32_t baseAt, const RomEntry &mine, const RomEntry &theirs,
                             bool theirsUnencodable) const
    {
        FieldConflict conflict{field, std::string(), MergeFieldText(mine, field), MergeFieldText(theirs, field),
                               theirsUnencodable};
        if (baseAt != NoMatch) {
            conflict.base = MergeFieldText(m_base->entry(baseAt), field);
            conflict.baseUnencodable = (m_base->unencodable(baseAt) & FieldBit(field)) != 0;
        }
        return conflict;
    }

    // The ROMs only theirs holds, each with the number of mine's entries it goes after.
    std::vector<std::pair<std::size_t, MergeChange>> changesOfTheirsAlone()
    {
        std::vector<std::pair<std::size_t, MergeChange>> inserted;
        const MergeSide &mine = m_mine.side();
        std::size_t after = 0;
        for (std::uint32_t theirsAt = 0; theirsAt < m_theirs.side().order.size(); ++theirsAt) {
            if (const std::uint32_t mineAt = m_mineTheirs.bToA[theirsAt]; mineAt != NoMatch) {
                after = mineAt + 1;
                continue;
            }
            std::optional<MergeChange> change = changeOfTheirsAlone(theirsAt);
            if (!change)
                continue;
            change->insertBefore = after < mine.order.size() ? mine.order[after] : mine.table->size();
            inserted.emplace_back(after, std::move(*change));
        }
        std::stable_sort(inserted.begin(), inserted.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        return inserted;
    }

    // A ROM new in theirs, or one mine removed that theirs may have changed.
    std::optional<MergeChange> changeOfTheirsAlone(std::uint32_t theirsAt)
    {
        const std::uint32_t baseAt = baseOfTheirs(theirsAt);
        MergeChange change;
        if (baseAt != NoMatch) {
            const MergeFieldSet changed = differing(*m_base, baseAt, m_theirs, theirsAt);
            if (!changed)
                return std::nullopt;
            change.kind = MergeChangeKind::Conflict;
            change.removedOn = RemovedOn::Mine;
            change.changedThere = fieldsOf(changed);
        } else {
            change.takenByDefault = true;
        }
        change.theirs = m_theirs.entry(theirsAt);
        const RomEntry *base = baseAt != NoMatch ? &m_base->entry(baseAt) : nullptr;
        const RomEntry none;
        for (const MergeField field : fieldsOf(m_theirs.unencodable(theirsAt) & ~UnencodableCrc)) {
            // Mine's file cannot hold theirs' text: the ROM comes without it.
            change.conflicts.push_back(conflictOf(field, baseAt, none, change.theirs, true));
            const bool baseFits = base && !(m_base->unencodable(baseAt) & FieldBit(field));
            CopyField(change.theirs, baseFits ? *base : none, field);
        }
        if (!change.conflicts.empty())
            change.kind = MergeChangeKind::Conflict;
        if (m_theirs.unencodable(theirsAt) & UnencodableCrc) {
            change.kind = MergeChangeKind::Conflict;
            change.crcUnencodable = true;
            change.takenByDefault = false;
        }
        keepTexts(change.theirs);
        return change;
    }

    // The fields in which theirs' entry differs from the one it is measured against: the
    // base's, or mine's where the base lacks the ROM.
    MergeFieldSet theirsDiffers(std::uint32_t mineAt) const
    {
        const std::uint32_t theirsAt = m_mineTheirs.aToB[mineAt];
        if (theirsAt == NoMatch)
            return 0;
        const std::uint32_t baseAt = baseOfMine(mineAt);
        return baseAt != NoMatch ? differing(*m_base, baseAt, m_theirs, theirsAt)
                                 : differing(m_mine, mineAt, m_theirs, theirsAt);
    }

    // Looks at every ROM both hold, in two halves side by side: on large files this is
    // most of what is left after the matching, and nearly every ROM turns out unchanged.
    void lookAtTheirs()
    {
        const std::size_t count = m_mine.side().order.size();
        m_theirsDiffers.resize(count);
        const auto look = [this](std::size_t begin, std::size_t end) {
            for (std::size_t mineAt = begin; mineAt < end; ++mineAt)
                m_theirsDiffers[mineAt] = theirsDiffers(static_cast<std::uint32_t>(mineAt));
        };
        std::future<void> firstHalf = std::async(std::launch::async, look, 0, count / 2);
        look(count / 2, count);
        firstHalf.get();
    }

    void changeOfMine(std::uint32_t mineAt)
    {
        const std::uint32_t theirsAt = m_mineTheirs.aToB[mineAt];
        const std::uint32_t baseAt = baseOfMine(mineAt);
        if (theirsAt != NoMatch)
            changeOfBoth(mineAt, theirsAt, baseAt);
        else if (baseAt != NoMatch || !m_base)
            removedThere(mineAt, baseAt);
    }

    // Theirs no longer holds a ROM of mine (or, without a base, never did).
    void removedThere(std::uint32_t mineAt, std::uint32_t baseAt)
    {
        MergeChange change;
        change.kind = MergeChangeKind::RemovedThere;
        change.mineIndex = m_mine.side().order[mineAt];
        change.theirs = m_mine.entry(mineAt);
        if (baseAt != NoMatch) {
            if (differing(*m_base, baseAt, m_mine, mineAt)) {
                change.kind = MergeChangeKind::Conflict;
                change.removedOn = RemovedOn::Theirs;
            } else {
                change.takenByDefault = true;
            }
        }
        keepTexts(change.theirs);
        m_result.changes.push_back(std::move(change));
    }

    void changeOfBoth(std::uint32_t mineAt, std::uint32_t theirsAt, std::uint32_t baseAt)
    {
        MergeFieldSet alone = 0;
        MergeFieldSet conflicting = 0;
        if (!m_theirsDiffers[mineAt])
            return;
        if (baseAt != NoMatch) {
            const MergeFieldSet changedThere = m_theirsDiffers[mineAt];
            const MergeFieldSet changedHere = differing(*m_base, baseAt, m_mine, mineAt);
            alone = changedThere & ~changedHere;
            conflicting = changedThere & changedHere & differing(m_mine, mineAt, m_theirs, theirsAt);
        } else if (m_base) {
            // Added on both sides: every difference is a conflict.
            conflicting = m_theirsDiffers[mineAt];
        } else {
            alone = m_theirsDiffers[mineAt];
        }
        const MergeFieldSet unencodable = m_theirs.unencodable(theirsAt) & (alone | conflicting);
        alone &= ~unencodable;
        conflicting |= unencodable;
        if (!alone && !conflicting)
            return;

        const RomEntry &mine = m_mine.entry(mineAt);
        const RomEntry &theirs = m_theirs.entry(theirsAt);
        MergeChange change;
        change.kind = conflicting ? MergeChangeKind::Conflict : MergeChangeKind::ChangedThere;
        change.mineIndex = m_mine.side().order[mineAt];
        change.theirs = mine;
        for (const MergeField field : fieldsOf((alone | conflicting) & ~unencodable))
            CopyField(change.theirs, theirs, field);
        change.changedThere = fieldsOf(alone);
        for (const MergeField field : fieldsOf(conflicting))
            change.conflicts.push_back(conflictOf(field, baseAt, mine, theirs, (unencodable & FieldBit(field)) != 0));
        // Without a base nobody knows who changed what: mine stays unless chosen otherwise.
        change.takenByDefault = m_base && alone;
        keepTexts(change.theirs);
        m_result.changes.push_back(std::move(change));
    }

    void mergePreamble()
    {
        const std::string_view mine = m_mine.side().preamble;
        const std::string_view theirs = m_theirs.side().preamble;
        const bool theirsUnencodable = m_theirs.preambleUnencodable();
        if (theirs == mine && !theirsUnencodable)
            return;
        PreambleMerge preamble{std::string(), std::string(mine), std::string(theirs)};
        preamble.theirsUnencodable = theirsUnencodable;
        if (m_base) {
            preamble.base = m_base->side().preamble;
            preamble.baseUnencodable = m_base->preambleUnencodable();
            const bool mineChanged = preamble.base != mine || preamble.baseUnencodable;
            const bool theirsChanged = preamble.base != theirs || preamble.baseUnencodable != theirsUnencodable;
            preamble.conflict = theirsChanged && (mineChanged || theirsUnencodable);
            preamble.takenByDefault = theirsChanged && !preamble.conflict;
        } else {
            preamble.conflict = theirsUnencodable;
        }
        m_result.preamble = std::move(preamble);
    }

    RecodedSide m_mine;
    RecodedSide m_theirs;
    std::optional<RecodedSide> m_base;
    EntryMatching m_mineTheirs;
    EntryMatching m_mineBase;
    EntryMatching m_theirsBase;
    // By mine's order position: see theirsDiffers.
    MergeArray<MergeFieldSet> m_theirsDiffers;
    MergeResult m_result;
};

} // namespace

MergeSide DocumentSide(const IniDocument &doc)
{
    return {&doc.EntryTable, ReadInOrder(doc), doc.Preamble, doc.Encoding};
}

MergeResult MergeIni(const MergeSide *base, const MergeSide &mine, const MergeSide &theirs)
{
    return Merger(base, mine, theirs).run();
}
