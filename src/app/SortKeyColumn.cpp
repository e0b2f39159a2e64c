#include "SortKeyColumn.h"

#include <QChar>
#include <QtEndian>

#include <algorithm>
#include <array>

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

// Eight key bytes from offset as one number that orders as they do; a key that ends
// sooner is padded with zeros, which sort before every key byte.
std::uint64_t digitAt(std::string_view key, std::size_t offset)
{
    if (offset + 8 <= key.size())
        return qFromBigEndian<quint64>(key.data() + offset);
    std::uint64_t digit = 0;
    for (std::size_t i = offset; i < offset + 8; ++i)
        digit = (digit << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return digit;
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
    const std::size_t start = m_bytes.size();
    m_bytes.resize(start + cellText.size());
    std::transform(cellText.begin(), cellText.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(start),
                   [&order](char c) { return static_cast<char>(order[static_cast<unsigned char>(c)]); });
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

// Sorts by eight bytes at a time, and only the entries that agree so far by the next
// eight: most comparisons are of numbers, and long runs of equal texts cost no more.
void SortKeyColumn::sortByKey(std::span<Sorted> entries, std::size_t offset) const
{
    for (Sorted &sorted : entries)
        sorted.digit = digitAt(key(sorted.entry), offset);
    std::sort(entries.begin(), entries.end(), [](const Sorted &left, const Sorted &right) {
        return left.digit != right.digit ? left.digit < right.digit : left.entry < right.entry;
    });
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t end = first + 1;
        while (end < entries.size() && entries[end].digit == entries[first].digit)
            ++end;
        // A zero last byte means these keys ended within the eight: they are equal.
        if (end - first > 1 && (entries[first].digit & 0xFF) != 0)
            sortByKey(entries.subspan(first, end - first), offset + 8);
        first = end;
    }
}

const std::vector<std::uint32_t> &SortKeyColumn::ranks() const
{
    if (m_ranks.size() == m_start.size())
        return m_ranks;
    std::vector<Sorted> sorted(m_start.size());
    for (std::size_t entry = 0; entry < sorted.size(); ++entry)
        sorted[entry].entry = static_cast<std::uint32_t>(entry);
    sortByKey(sorted, 0);
    m_ranks.assign(m_start.size(), 0);
    m_rankCount = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i == 0 || compare(sorted[i].entry, sorted[i - 1].entry) != 0)
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
