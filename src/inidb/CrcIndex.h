#pragma once

#include "RecodedSide.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

// An order position without a partner, or no position at all.
inline constexpr std::uint32_t NoMatch = std::numeric_limits<std::uint32_t>::max();

// The entries of one side of a merge by CRC: for each CRC the chain of its order positions.
// A merge of three large files builds a few of these, so the table is open addressing
// over plain numbers, with no heap block per entry, and each slot keeps a piece of the
// CRC's hash so that a probe seldom needs to read an entry.
class CrcIndex final {
public:
    CrcIndex(const RecodedSide &side, std::span<const std::uint32_t> positions);

    // The first position holding crc, or NoMatch.
    std::uint32_t first(std::string_view crc) const;
    // The next position with the same CRC, or NoMatch.
    std::uint32_t next(std::uint32_t position) const { return m_next[position]; }
    // Whether position is the first of its CRC's chain.
    bool isFirst(std::uint32_t position) const { return m_first[position]; }
    // Whether position's CRC is held by no other position.
    bool isAlone(std::uint32_t position) const { return m_first[position] && m_next[position] == NoMatch; }

private:
    struct Slot {
        std::uint32_t position = NoMatch;
        std::uint32_t tag = 0;
    };

    std::string_view crcOf(std::uint32_t position) const { return m_side.entry(position).CRC.view(); }
    // The slot of crc's chain, or the empty one where it would go.
    std::size_t find(std::string_view crc, std::size_t hash) const;

    const RecodedSide &m_side;
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_next;
    std::vector<bool> m_first;
};
