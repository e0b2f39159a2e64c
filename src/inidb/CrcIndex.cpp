#include "CrcIndex.h"

#include <bit>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace {

// CRCs are short: XXH3 hashes them several times faster than std::hash.
std::size_t hashOf(std::string_view crc)
{
    return XXH3_64bits(crc.data(), crc.size());
}

std::uint32_t tagOf(std::size_t hash)
{
    return static_cast<std::uint32_t>(hash >> 32);
}

// How many slots ahead a build asks the memory for: a large table is a cache miss per
// insert, and asking early lets those misses overlap.
constexpr std::size_t kPrefetchDistance = 16;

} // namespace

CrcIndex::CrcIndex(const RecodedSide &side, std::span<const std::uint32_t> positions)
    : m_side(side), m_slots(std::bit_ceil(positions.size() * 2 + 2)), m_next(side.side().order.size(), NoMatch),
      m_first(side.side().order.size(), false)
{
    const std::size_t mask = m_slots.size() - 1;
    std::vector<std::size_t> hashes(positions.size());
    for (std::size_t at = 0; at < positions.size(); ++at)
        hashes[at] = hashOf(crcOf(positions[at]));
    // Backwards, so each chain runs in order from its first entry.
    for (std::size_t at = positions.size(); at-- > 0;) {
        if (at >= kPrefetchDistance)
            __builtin_prefetch(&m_slots[hashes[at - kPrefetchDistance] & mask]);
        const std::uint32_t position = positions[at];
        Slot &slot = m_slots[find(crcOf(position), hashes[at])];
        if (slot.position != NoMatch)
            m_first[slot.position] = false;
        m_next[position] = slot.position;
        m_first[position] = true;
        slot = {position, tagOf(hashes[at])};
    }
}

std::uint32_t CrcIndex::first(std::string_view crc) const
{
    return m_slots[find(crc, hashOf(crc))].position;
}

std::size_t CrcIndex::find(std::string_view crc, std::size_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot &held = m_slots[slot];
        if (held.position == NoMatch || (held.tag == tag && crcOf(held.position) == crc))
            return slot;
    }
}
