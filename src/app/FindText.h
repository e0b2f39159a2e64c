#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the find box searches, for every entry: the searched cells case-folded, one after
// another. Folding works on the file's single bytes through one table, so a keystroke's
// search over many thousands of entries is a plain substring search.
class FindText final {
public:
    std::size_t size() const { return m_start.size(); }
    void clear();
    // Forgets every text and makes room for entries new ones.
    void startOver(std::size_t entries);
    // The next entry's searched cells.
    void append(const std::vector<std::string> &cells);
    // The entry's cells changed.
    void replace(std::size_t entry, const std::vector<std::string> &cells);

    bool contains(std::size_t entry, std::string_view foldedNeedle) const;

    // The typed text as the searched bytes are stored; nullopt when it holds a character
    // the file's text cannot hold, so nothing can match it.
    static std::optional<std::string> folded(const QString &typed);

private:
    void store(const std::vector<std::string> &cells);

    // A replaced text is appended and its old bytes left unused.
    std::string m_bytes;
    std::vector<std::uint32_t> m_start;
    std::vector<std::uint32_t> m_length;
};
