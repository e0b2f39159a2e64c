#include "CrcIndex.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace {

// CRCs are short: XXH3 hashes them several times faster than std::hash.
std::uint64_t hashOf(std::string_view crc)
{
    return XXH3_64bits(crc.data(), crc.size());
}

// How many entries ahead a build hashes and asks the memory for its slot: a large table
// is a cache miss per insert, and asking early lets those misses overlap.
constexpr std::size_t kAhead = 16;

} // namespace

CrcIndex::CrcIndex(const RecodedSide &side, std::span<const std::uint32_t> positions)
    : m_side(side), m_slots(positions.size() + positions.size() / 2 + 1), m_indexed(side.side().order.size()),
      m_grouped(side.side().order.size()), m_later(side.side().order.size())
{
    std::uint64_t ahead[kAhead];
    const auto hashAhead = [&](std::size_t at) {
        ahead[at % kAhead] = hashOf(crcOf(positions[at]));
        __builtin_prefetch(&m_slots[slotOf(ahead[at % kAhead])]);
    };
    for (std::size_t at = positions.size(); at-- > 0 && positions.size() - at <= kAhead;)
        hashAhead(at);
    // Backwards, so each chain runs in order from its first entry.
    for (std::size_t at = positions.size(); at-- > 0;) {
        const std::uint64_t hash = ahead[at % kAhead];
        if (at >= kAhead)
            hashAhead(at - kAhead);
        const std::uint32_t position = positions[at];
        m_indexed[position] = true;
        // The CRC is read only where a tag matches: by now its text has left the cache.
        Slot &slot = m_slots[find(hash, [&] { return crcOf(position); })];
        if (slot.position != NoMatch) {
            m_next.emplace(position, slot.position);
            m_later[slot.position] = true;
            m_grouped[slot.position] = true;
            m_grouped[position] = true;
        }
        slot = {position, static_cast<std::uint32_t>(hash)};
    }
}

std::uint32_t CrcIndex::first(std::string_view crc) const
{
    return m_slots[find(hashOf(crc), [crc] { return crc; })].position;
}
