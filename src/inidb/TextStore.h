#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Where the texts of a document's entries live. Texts are only ever appended, into chunks
// that never move, so a view handed out stays valid as long as the store (or a copy of
// it) lives; an edit keeps its new text here instead of giving each field a heap block.
class TextStore final {
public:
    TextStore() = default;
    // A copy shares the chunks written so far and appends into chunks of its own, so
    // neither store overwrites what the other handed out.
    TextStore(const TextStore &other);
    TextStore &operator=(const TextStore &other);
    TextStore(TextStore &&) noexcept = default;
    TextStore &operator=(TextStore &&) noexcept = default;

    // A view of a copy of text that lives as long as the store.
    std::string_view keep(std::string_view text);

private:
    static constexpr std::size_t kChunkSize = 256 * 1024;

    std::vector<std::shared_ptr<char[]>> m_chunks;
    char *m_free = nullptr;
    std::size_t m_left = 0;
};
