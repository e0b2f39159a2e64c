#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What one column of the list sorts by, for every entry: the cell text case-folded. Each
// byte of the (single-byte) text is stored as its place in the order of the folded
// characters, so comparing the stored bytes orders the texts exactly as comparing the
// folded QStrings would, without building a QString per comparison.
class SortKeyColumn final {
public:
    bool empty() const { return m_start.empty(); }
    std::size_t size() const { return m_start.size(); }
    void clear();
    // Forgets every key and makes room for entries new ones.
    void startOver(std::size_t entries);
    // The key of the next entry, from its cell text.
    void append(std::string_view cellText);
    // The entry's text changed.
    void replace(std::size_t entry, std::string_view cellText);

    // Negative, zero or positive as entry a's text sorts before, with or after entry b's.
    int compare(std::size_t a, std::size_t b) const;
    // Per entry, the place of its key among the distinct keys: equal texts share a rank and
    // a smaller rank sorts first. Worked out on the first call after a change.
    const std::vector<std::uint32_t> &ranks() const;
    std::uint32_t rankCount() const;

private:
    struct Sorted {
        std::uint64_t digit;
        std::uint32_t entry;
    };

    std::string_view key(std::size_t entry) const;
    void sortByKey(std::span<Sorted> entries, std::size_t offset) const;
    void store(std::string_view cellText);

    // The keys one after another; a replaced key is appended and its old bytes left unused.
    std::string m_bytes;
    std::vector<std::uint32_t> m_start;
    std::vector<std::uint32_t> m_length;
    mutable std::vector<std::uint32_t> m_ranks;
    mutable std::uint32_t m_rankCount = 0;
};
