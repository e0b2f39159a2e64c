#include "ContentHash.h"

// Inlined: a call per 64 KB piece into the shared library would gain nothing, and the
// core then needs only the header.
#define XXH_INLINE_ALL
#include <xxhash.h>

struct ContentHash::State {
    XXH3_state_t xxh;
};

ContentHash::ContentHash() : m_state(std::make_unique<State>())
{
    XXH3_64bits_reset(&m_state->xxh);
}

ContentHash::~ContentHash() = default;

void ContentHash::add(std::string_view piece)
{
    XXH3_64bits_update(&m_state->xxh, piece.data(), piece.size());
    m_size += piece.size();
}

std::uint64_t ContentHash::value() const
{
    return XXH3_64bits_digest(&m_state->xxh);
}
