#pragma once

#include "inidb/TextEncoding.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the find box searches, for every entry: the searched texts without case and accents,
// one after another in one buffer, in the file's own encoding. Single-byte text folds through one
// table, and a search is one pass over the buffer, so a keystroke stays quick on many
// thousands of entries.
class FindText final {
public:
    std::size_t size() const { return m_blockOf.size(); }
    void clear();
    // Forgets every text and makes room for entries new ones, in the given encoding; bytes
    // is the length of all their texts plus one per text.
    void startOver(std::size_t entries, std::size_t bytes, TextEncoding encoding);
    // The next entry's searched texts.
    void append(std::span<const std::string_view> texts);
    // The entry's texts changed.
    void replace(std::size_t entry, std::span<const std::string_view> texts);

    // Per entry, whether one of its texts holds foldedNeedle (not empty).
    std::vector<char> matches(std::string_view foldedNeedle) const;
    bool contains(std::size_t entry, std::string_view foldedNeedle) const;

    // The typed text as the searched bytes of a file in that encoding are stored; nullopt
    // when it holds a character the file's text cannot hold, so nothing can match it.
    static std::optional<std::string> folded(const QString &typed, TextEncoding encoding);

private:
    // One entry's texts in the buffer; blocks lie in the order of their start.
    struct Block {
        std::uint32_t start;
        std::uint32_t length;
        std::uint32_t entry;
    };
    static constexpr std::uint32_t Replaced = UINT32_MAX;

    void store(std::span<const std::string_view> texts, std::uint32_t entry);

    // A replaced entry's new texts are appended; its old block stays, marked Replaced.
    std::string m_bytes;
    TextEncoding m_encoding = TextEncoding::Windows1252;
    std::vector<Block> m_blocks;
    std::vector<std::uint32_t> m_blockOf;
};
