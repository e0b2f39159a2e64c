#include "MergeMatching.h"

#include <string_view>
#include <unordered_map>

namespace {

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
// rest in order. Names are looked up, so a CRC held thousands of times costs no
// comparison of every pair.
void matchGroup(const RecodedSide &a, const std::vector<std::uint32_t> &aGroup, const RecodedSide &b,
                const std::vector<std::uint32_t> &bGroup, EntryMatching &matching)
{
    // Each name's positions of b, the first last.
    std::unordered_map<std::string_view, std::vector<std::uint32_t>> byName;
    for (auto atB = bGroup.rbegin(); atB != bGroup.rend(); ++atB)
        byName[b.entry(*atB).Name.view()].push_back(*atB);
    for (const std::uint32_t atA : aGroup) {
        const auto named = byName.find(a.entry(atA).Name.view());
        if (named != byName.end() && !named->second.empty()) {
            pair(matching, atA, named->second.back());
            named->second.pop_back();
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
                  const CrcIndex &bIndex, EntryMatching &matching)
{
    // Each entry of a looks up the first of its CRC in b, and is its partner when both
    // hold the CRC once. Files merged mostly hold their ROMs in the same order: the entry
    // after the last one found is tried first, which reads memory in order instead of
    // the index. Only b needs an index: a CRC a holds twice looks up the same entry twice.
    std::vector<bool> shared(b.side().order.size());
    std::vector<std::uint32_t> sharedFirsts;
    std::uint32_t guess = 0;
    const std::uint32_t bCount = static_cast<std::uint32_t>(b.side().order.size());
    for (const std::uint32_t atA : aPositions) {
        const std::string_view crc = a.entry(atA).CRC.view();
        const bool guessed = guess < bCount && bIndex.isFirst(guess) && b.entry(guess).CRC.view() == crc;
        const std::uint32_t atB = guessed ? guess : bIndex.first(crc);
        if (atB == NoMatch)
            continue;
        guess = atB + 1;
        matching.aToB[atA] = atB;
        if (bIndex.isAlone(atB) && matching.bToA[atB] == NoMatch && !shared[atB]) {
            matching.bToA[atB] = atA;
        } else if (!shared[atB]) {
            shared[atB] = true;
            sharedFirsts.push_back(atB);
        }
    }
    if (sharedFirsts.empty())
        return;
    // The CRCs held more than once on either side, matched group by group.
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> aGroups;
    for (const std::uint32_t atA : aPositions) {
        if (const std::uint32_t atB = matching.aToB[atA]; atB != NoMatch && shared[atB]) {
            aGroups[atB].push_back(atA);
            matching.aToB[atA] = NoMatch;
        }
    }
    for (const std::uint32_t first : sharedFirsts) {
        matching.bToA[first] = NoMatch;
        matchGroup(a, aGroups[first], b, chain(bIndex, first), matching);
    }
}

MergeArray<std::uint32_t> PositionsBelow(std::size_t count)
{
    MergeArray<std::uint32_t> positions(count);
    for (std::uint32_t position = 0; position < positions.size(); ++position)
        positions[position] = position;
    return positions;
}
