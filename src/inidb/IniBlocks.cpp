#include "IniBlocks.h"

#include "IniWriter.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <unordered_map>

namespace {

constexpr std::size_t NoPlace = std::numeric_limits<std::size_t>::max();

} // namespace

std::string IniBlocksText(const IniDocument &doc, std::span<const std::size_t> indexes)
{
    std::string text;
    for (const std::size_t index : indexes)
        WriteIniEntry(text, doc.EntryTable[index]);
    return text;
}

PastedBlocks ReadPastedBlocks(const IniDocument &doc, std::string_view bytes)
{
    PastedBlocks pasted;
    pasted.parsed = ParseIni(bytes);
    // One block per CRC, in the order each CRC first came; the CRCs live in parsed.texts.
    std::vector<RomEntry> blocks;
    std::unordered_map<std::string_view, std::size_t> blockOf;
    for (const RomEntry &entry : pasted.parsed.entries) {
        if (entry.CRC.empty()) {
            ++pasted.withoutCrc;
            continue;
        }
        const auto [at, isNew] = blockOf.try_emplace(entry.CRC.view(), blocks.size());
        if (isNew)
            blocks.push_back(entry);
        else
            blocks[at->second] = entry;
    }
    // One pass over the table, however many blocks there are. Most CRCs of a large table
    // are none of the pasted ones: a bit per hash, small enough to stay in the cache,
    // tells them without a look into the map.
    std::vector<bool> maybePasted(std::bit_ceil(std::max<std::size_t>(64, 16 * blocks.size())));
    const std::size_t mask = maybePasted.size() - 1;
    const std::hash<std::string_view> hash;
    for (const auto &[crc, block] : blockOf)
        maybePasted[hash(crc) & mask] = true;
    std::vector<std::size_t> target(blocks.size(), NoPlace);
    const RomTable &table = doc.EntryTable;
    for (std::size_t index = 0; index < table.size(); ++index) {
        const std::string_view crc = table[index].CRC.view();
        if (!maybePasted[hash(crc) & mask])
            continue;
        const auto found = blockOf.find(crc);
        if (found == blockOf.end())
            continue;
        std::size_t &place = target[found->second];
        if (place == NoPlace || (table[place].Removed && !table[index].Removed))
            place = index;
    }
    for (std::size_t block = 0; block < blocks.size(); ++block) {
        const std::size_t place = target[block];
        if (place == NoPlace) {
            pasted.added.push_back(blocks[block]);
            continue;
        }
        RomEntry values = blocks[block];
        values.CRC = table[place].CRC;
        values.Removed = table[place].Removed;
        if (values.Removed || values != table[place])
            pasted.replacing.push_back({place, values});
    }
    std::sort(pasted.replacing.begin(), pasted.replacing.end(),
              [](const PlacedEntry &a, const PlacedEntry &b) { return a.index < b.index; });
    return pasted;
}
