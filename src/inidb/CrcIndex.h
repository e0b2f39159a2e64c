#pragma once

#include "HugePages.h"
#include "RecodedSide.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

// A merge's large arrays, one entry or slot per ROM, filled once: in huge pages where
// the system offers them, so a fresh process takes a page fault per 2 MB, not per 4 KB.
template <typename T>
using MergeArray = std::vector<T, FreshBlockAllocator<T>>;

// An order position without a partner, or no position at all.
inline constexpr std::uint32_t NoMatch = std::numeric_limits<std::uint32_t>::max();

// The entries of one side of a merge by CRC: for each CRC the chain of its order positions.
// A merge of three large files builds one per side, and in a fresh process every page it
// touches costs a fault: so the table is open addressing over plain numbers, two thirds
// full, each slot with a piece of the CRC's hash so that a probe seldom reads an entry,
// and only the rare CRCs held more than once take room for their chains.
class CrcIndex final {
public:
    CrcIndex(const RecodedSide &side, std::span<const std::uint32_t> positions);

    // The first position holding crc, or NoMatch.
    std::uint32_t first(std::string_view crc) const;
    // The next position with the same CRC, or NoMatch.
    std::uint32_t next(std::uint32_t position) const
    {
        if (!m_grouped[position])
            return NoMatch;
        const auto found = m_next.find(position);
        return found == m_next.end() ? NoMatch : found->second;
    }
    // Whether position is the first of its CRC's chain; false for a position not indexed.
    bool isFirst(std::uint32_t position) const { return m_indexed[position] && !m_later[position]; }
    // Whether position's CRC is held by no other indexed position.
    bool isAlone(std::uint32_t position) const { return !m_grouped[position]; }

private:
    struct Slot {
        std::uint32_t position = NoMatch;
        std::uint32_t tag = 0;
    };

    std::string_view crcOf(std::uint32_t position) const { return m_side.entry(position).CRC.view(); }
    std::size_t slotOf(std::uint64_t hash) const
    {
        return static_cast<std::size_t>((static_cast<unsigned __int128>(hash) * m_slots.size()) >> 64);
    }

    // The slot of the chain of the CRC crc() gives, whose hash is hash, or the empty one
    // where it would go.
    template <typename Crc>
    std::size_t find(std::uint64_t hash, const Crc &crc) const
    {
        const auto tag = static_cast<std::uint32_t>(hash);
        for (std::size_t slot = slotOf(hash);; slot = slot + 1 == m_slots.size() ? 0 : slot + 1) {
            const Slot &held = m_slots[slot];
            if (held.position == NoMatch || (held.tag == tag && crcOf(held.position) == crc()))
                return slot;
        }
    }

    const RecodedSide &m_side;
    MergeArray<Slot> m_slots;
    std::vector<bool> m_indexed;
    // In a chain of more than one position.
    std::vector<bool> m_grouped;
    // Not the first of its chain.
    std::vector<bool> m_later;
    // The next position of each grouped one that has one.
    std::unordered_map<std::uint32_t, std::uint32_t> m_next;
};
