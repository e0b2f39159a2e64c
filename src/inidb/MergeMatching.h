#pragma once

#include "CrcIndex.h"

#include <cstdint>
#include <span>
#include <vector>

// Pairs the entries of two sides of a merge that are the same ROM.

// For each order position of one side, its partner's order position on the other.
struct EntryMatching {
    MergeArray<std::uint32_t> aToB;
    MergeArray<std::uint32_t> bToA;
};

// Pairs the entries of a at aPositions (ascending) with those bIndex holds: by CRC
// exactly; where a CRC occurs more than once on either side, by CRC and name, and what
// is left then by order among those. Writes into matching, whose vectors have a slot per
// order position of each side, NoMatch where nothing is paired yet.
void MatchEntries(const RecodedSide &a, std::span<const std::uint32_t> aPositions, const RecodedSide &b,
                  const CrcIndex &bIndex, EntryMatching &matching);

// The order positions 0 to count - 1.
MergeArray<std::uint32_t> PositionsBelow(std::size_t count);
