#include "SortKeyColumn.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Per byte, its folded character's place among the folded characters of all 256 bytes,
// from 1 so that no key byte is 0 (a short key's prefix is padded with zeros).
std::array<unsigned char, 256> makeFoldOrder()
{
    std::array<char16_t, 256> folded{};
    for (int byte = 0; byte < 256; ++byte)
        folded[static_cast<std::size_t>(byte)] = QChar(static_cast<char16_t>(byte)).toCaseFolded().unicode();
    std::array<char16_t, 256> distinct = folded;
    std::sort(distinct.begin(), distinct.end());
    const auto distinctEnd = std::unique(distinct.begin(), distinct.end());
    std::array<unsigned char, 256> order{};
    for (std::size_t byte = 0; byte < 256; ++byte)
        order[byte] = static_cast<unsigned char>(
            1 + (std::lower_bound(distinct.begin(), distinctEnd, folded[byte]) - distinct.begin()));
    return order;
}

const std::array<unsigned char, 256> &foldOrder()
{
    static const std::array<unsigned char, 256> order = makeFoldOrder();
    return order;
}

// The first eight key bytes as one number that orders as they do.
std::uint64_t prefixOf(std::string_view key)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

} // namespace

void SortKeyColumn::clear()
{
    m_bytes.clear();
    m_start.clear();
    m_length.clear();
    m_ranks.clear();
    m_rankCount = 0;
}

void SortKeyColumn::startOver(std::size_t entries)
{
    clear();
    m_start.reserve(entries);
    m_length.reserve(entries);
    m_bytes.reserve(entries * 16);
}

void SortKeyColumn::store(std::string_view cellText)
{
    const std::array<unsigned char, 256> &order = foldOrder();
    m_start.push_back(static_cast<std::uint32_t>(m_bytes.size()));
    m_length.push_back(static_cast<std::uint32_t>(cellText.size()));
    for (const char c : cellText)
        m_bytes.push_back(static_cast<char>(order[static_cast<unsigned char>(c)]));
}

void SortKeyColumn::append(std::string_view cellText)
{
    store(cellText);
    m_ranks.clear();
}

void SortKeyColumn::replace(std::size_t entry, std::string_view cellText)
{
    store(cellText);
    m_start[entry] = m_start.back();
    m_length[entry] = m_length.back();
    m_start.pop_back();
    m_length.pop_back();
    m_ranks.clear();
}

std::string_view SortKeyColumn::key(std::size_t entry) const
{
    return std::string_view(m_bytes).substr(m_start[entry], m_length[entry]);
}

int SortKeyColumn::compare(std::size_t a, std::size_t b) const
{
    return key(a).compare(key(b));
}

const std::vector<std::uint32_t> &SortKeyColumn::ranks() const
{
    if (m_ranks.size() == m_start.size())
        return m_ranks;
    struct Sorted {
        std::uint64_t prefix;
        std::uint32_t entry;
    };
    std::vector<Sorted> sorted(m_start.size());
    for (std::size_t entry = 0; entry < sorted.size(); ++entry)
        sorted[entry] = {prefixOf(key(entry)), static_cast<std::uint32_t>(entry)};
    // Most keys differ in their first eight bytes, so most comparisons are one of numbers.
    std::sort(sorted.begin(), sorted.end(), [this](const Sorted &left, const Sorted &right) {
        if (left.prefix != right.prefix)
            return left.prefix < right.prefix;
        return compare(left.entry, right.entry) < 0;
    });
    m_ranks.assign(m_start.size(), 0);
    m_rankCount = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i == 0 || sorted[i].prefix != sorted[i - 1].prefix || compare(sorted[i].entry, sorted[i - 1].entry) != 0)
            ++m_rankCount;
        m_ranks[sorted[i].entry] = m_rankCount - 1;
    }
    return m_ranks;
}

std::uint32_t SortKeyColumn::rankCount() const
{
    ranks();
    return m_rankCount;
}
