#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// A 64-bit hash (XXH3) and the length of bytes that arrive in pieces; where the pieces
// are cut does not change the hash.
class ContentHash final {
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash &) = delete;
    ContentHash &operator=(const ContentHash &) = delete;

    void add(std::string_view piece);
    std::uint64_t value() const;
    std::uint64_t size() const { return m_size; }

private:
    struct State;
    std::unique_ptr<State> m_state;
    std::uint64_t m_size = 0;
};
