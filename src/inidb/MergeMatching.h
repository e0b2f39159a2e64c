#pragma once

#include "RecodedSide.h"

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

// Pairs the entries of two sides of a merge that are the same ROM.

// An order position without a partner.
inline constexpr std::uint32_t NoMatch = std::numeric_limits<std::uint32_t>::max();

// For each order position of one side, its partner's order position on the other.
struct EntryMatching {
    std::vector<std::uint32_t> aToB;
    std::vector<std::uint32_t> bToA;
};

// Pairs the entries of a at aPositions with those of b at bPositions (order positions,
// ascending): by CRC exactly; where a CRC occurs more than once on either side, by CRC
// and name, and what is left then by order among those. Writes into matching, whose
// vectors have a slot per order position of each side.
void MatchEntries(const RecodedSide &a, std::span<const std::uint32_t> aPositions, const RecodedSide &b,
                  std::span<const std::uint32_t> bPositions, EntryMatching &matching);

// Every order position of the side, ascending.
std::vector<std::uint32_t> AllPositions(const RecodedSide &side);
