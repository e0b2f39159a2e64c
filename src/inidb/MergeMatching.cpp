#include "MergeMatching.h"

#include <bit>
#include <functional>
#include <string_view>

namespace {

// The entries of one side by CRC, in a table of open addressing: a merge of three large
// files builds several of these, so they take no heap block per entry.
class CrcIndex final {
public:
    CrcIndex(const RecodedSide &side, std::span<const std::uint32_t> positions)
        : m_side(side), m_slots(std::bit_ceil(positions.size() * 2 + 2), NoMatch),
          m_next(side.side().order.size(), NoMatch)
    {
        // Backwards, so each chain runs in order from its first entry.
        for (auto at = positions.rbegin(); at != positions.rend(); ++at) {
            std::uint32_t &slot = m_slots[find(crcOf(*at))];
            m_next[*at] = slot;
            slot = *at;
        }
    }

    // The first position holding crc, or NoMatch.
    std::uint32_t first(std::string_view crc) const { return m_slots[find(crc)]; }
    // The next position with the same CRC, or NoMatch.
    std::uint32_t next(std::uint32_t position) const { return m_next[position]; }

private:
    std::string_view crcOf(std::uint32_t position) const { return m_side.entry(position).CRC.view(); }

    // The slot that holds crc's chain, or the empty one where it would go.
    std::size_t find(std::string_view crc) const
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t slot = std::hash<std::string_view>{}(crc) & mask;
        while (m_slots[slot] != NoMatch && crcOf(m_slots[slot]) != crc)
            slot = (slot + 1) & mask;
        return slot;
    }

    const RecodedSide &m_side;
    std::vector<std::uint32_t> m_slots;
    std::vector<std::uint32_t> m_next;
};

std::vector<std::uint32_t> chain(const CrcIndex &index, std::uint32_t first)
{
    std::vector<std::uint32_t> positions;
    for (std::uint32_t at = first; at != NoMatch; at = index.next(at))
        positions.push_back(at);
    return positions;
}

void pair(EntryMatching &matching, std::uint32_t a, std::uint32_t b)
{
    matching.aToB[a] = b;
    matching.bToA[b] = a;
}

// A CRC held more than once: equal names first, each with the first free one, then the
// rest in order.
void matchGroup(const RecodedSide &a, const std::vector<std::uint32_t> &aGroup, const RecodedSide &b,
                const std::vector<std::uint32_t> &bGroup, EntryMatching &matching)
{
    for (const std::uint32_t atA : aGroup) {
        for (const std::uint32_t atB : bGroup) {
            if (matching.bToA[atB] == NoMatch && a.entry(atA).Name == b.entry(atB).Name) {
                pair(matching, atA, atB);
                break;
            }
        }
    }
    auto freeB = bGroup.begin();
    for (const std::uint32_t atA : aGroup) {
        if (matching.aToB[atA] != NoMatch)
            continue;
        while (freeB != bGroup.end() && matching.bToA[*freeB] != NoMatch)
            ++freeB;
        if (freeB == bGroup.end())
            return;
        pair(matching, atA, *freeB);
    }
}

} // namespace

void MatchEntries(const RecodedSide &a, std::span<const std::uint32_t> aPositions, const RecodedSide &b,
                  std::span<const std::uint32_t> bPositions, EntryMatching &matching)
{
    const CrcIndex aIndex(a, aPositions);
    const CrcIndex bIndex(b, bPositions);
    for (const std::uint32_t atA : aPositions) {
        const std::string_view crc = a.entry(atA).CRC.view();
        // A group is matched once, from its first entry.
        if (aIndex.first(crc) != atA)
            continue;
        const std::uint32_t atB = bIndex.first(crc);
        if (atB == NoMatch)
            continue;
        if (aIndex.next(atA) == NoMatch && bIndex.next(atB) == NoMatch)
            pair(matching, atA, atB);
        else
            matchGroup(a, chain(aIndex, atA), b, chain(bIndex, atB), matching);
    }
}

std::vector<std::uint32_t> AllPositions(const RecodedSide &side)
{
    std::vector<std::uint32_t> positions(side.side().order.size());
    for (std::uint32_t position = 0; position < positions.size(); ++position)
        positions[position] = position;
    return positions;
}
