#include "TextStore.h"

#include <algorithm>
#include <cstring>

TextStore::TextStore(const TextStore &other) : m_chunks(other.m_chunks) {}

TextStore &TextStore::operator=(const TextStore &other)
{
    if (this != &other) {
        m_chunks = other.m_chunks;
        m_free = nullptr;
        m_left = 0;
    }
    return *this;
}

std::string_view TextStore::keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > m_left) {
        const std::size_t size = std::max(text.size(), kChunkSize);
        // Left uninitialised: only the bytes written are ever read, and untouched pages
        // cost no memory.
        m_chunks.emplace_back(new char[size]);
        m_free = m_chunks.back().get();
        m_left = size;
    }
    std::memcpy(m_free, text.data(), text.size());
    const std::string_view kept(m_free, text.size());
    m_free += text.size();
    m_left -= text.size();
    return kept;
}
