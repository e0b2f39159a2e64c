#include "TextStore.h"

#include "HugePages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kSmallestChunk = std::size_t{64} << 10;
constexpr std::size_t kLargestChunk = std::size_t{4} << 20;

} // namespace

TextStore::TextStore(const TextStore &other) : m_chunks(other.m_chunks), m_kept(other.m_kept) {}

TextStore &TextStore::operator=(const TextStore &other)
{
    if (this != &other) {
        m_chunks = other.m_chunks;
        m_kept = other.m_kept;
        m_free = nullptr;
        m_left = 0;
    }
    return *this;
}

void TextStore::addChunk(std::size_t size)
{
    // Left uninitialised: only the bytes written are ever read, and untouched pages cost
    // no memory.
    auto *memory = static_cast<char *>(AllocateBlock(size));
    m_chunks.emplace_back(memory, [size](char *block) { FreeBlock(block, size); });
    m_free = memory;
    m_left = size;
}

void TextStore::reserve(std::size_t bytes)
{
    if (bytes > m_left)
        addChunk(bytes);
}

void TextStore::addChunkFor(std::size_t size)
{
    // Chunks grow with the store, so a small document stays small and a large one takes
    // few chunks, each backed by huge pages where the system offers them.
    addChunk(std::max(size, std::clamp(m_kept, kSmallestChunk, kLargestChunk)));
}
