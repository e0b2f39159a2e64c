#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A text kept in a TextStore. It is one pointer wide: its length is kept in front of its
// bytes in the store, so a table of many entries spends 8 bytes per text field and no
// heap block. It reads as a std::string_view and stays valid as long as its store (or a
// copy of it) lives. The empty text needs no store.
class StoredText final {
public:
    StoredText() = default;

    std::string_view view() const
    {
        if (!m_at)
            return {};
        const auto length = static_cast<unsigned char>(m_at[0]);
        if (length != kLongLength)
            return {m_at + 1, length};
        std::size_t longLength = 0;
        std::memcpy(&longLength, m_at + 1, sizeof longLength);
        return {m_at + 1 + sizeof longLength, longLength};
    }
    operator std::string_view() const { return view(); }
    explicit operator std::string() const { return std::string(view()); }

    bool empty() const { return m_at == nullptr; }
    std::size_t size() const { return view().size(); }

    // Compares the texts, not where they are kept.
    friend bool operator==(StoredText a, StoredText b) { return a.view() == b.view(); }
    friend bool operator==(StoredText a, std::string_view b) { return a.view() == b; }

private:
    friend class TextStore;
    // A length below this takes one byte in front of the text; a longer one takes this
    // marker byte and then the whole size_t. Nearly every text of a ROM block is short.
    static constexpr unsigned char kLongLength = 0xFF;

    explicit StoredText(const char *at) : m_at(at) {}

    const char *m_at = nullptr;
};

// Where the texts of a document's entries live. Texts are only ever appended, into chunks
// that never move, so a text handed out stays valid as long as the store (or a copy of
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

    // A copy of text that lives as long as the store.
    StoredText keep(std::string_view text)
    {
        if (text.empty())
            return {};
        const bool small = text.size() < StoredText::kLongLength;
        const std::size_t header = small ? 1 : 1 + sizeof(std::size_t);
        char *at = room(header + text.size());
        if (small) {
            at[0] = static_cast<char>(text.size());
        } else {
            at[0] = static_cast<char>(StoredText::kLongLength);
            const std::size_t length = text.size();
            std::memcpy(at + 1, &length, sizeof length);
        }
        std::memcpy(at + header, text.data(), text.size());
        return StoredText(at);
    }
    // Makes room for texts of about bytes bytes in all (their lengths included), so that
    // they are kept together; only what is kept then takes memory.
    void reserve(std::size_t bytes);
    // The bytes kept so far, lengths included.
    std::size_t size() const { return m_kept; }

private:
    // Where the next size bytes go.
    char *room(std::size_t size)
    {
        if (size > m_left)
            addChunkFor(size);
        char *at = m_free;
        m_free += size;
        m_left -= size;
        m_kept += size;
        return at;
    }
    void addChunkFor(std::size_t size);
    void addChunk(std::size_t size);

    std::vector<std::shared_ptr<char[]>> m_chunks;
    std::size_t m_kept = 0;
    char *m_free = nullptr;
    std::size_t m_left = 0;
};
