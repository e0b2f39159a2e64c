#pragma once

#include <cstddef>

// A large block filled at once (a file's bytes, a loaded table, its texts) costs a page
// fault for every 4 KB of fresh memory unless huge pages back it; those faults are most
// of the cost of a first load in a fresh process.

// Asks the system to back the not yet touched memory [begin, begin + size) with huge
// pages. Only advice: where the system does not follow it nothing changes.
void AdviseHugePages(const void *begin, std::size_t size);

// A block of size bytes; a large one starts on a huge page boundary, so that huge pages
// can back all of it, and carries the advice. Give it back with FreeBlock and the same size.
void *AllocateBlock(std::size_t size);
void FreeBlock(void *block, std::size_t size) noexcept;

// Lets a container keep its elements in such blocks.
template <typename T>
struct HugePageAllocator {
    using value_type = T;

    HugePageAllocator() = default;
    template <typename U>
    HugePageAllocator(const HugePageAllocator<U> &) noexcept
    {
    }

    T *allocate(std::size_t count) { return static_cast<T *>(AllocateBlock(count * sizeof(T))); }
    void deallocate(T *block, std::size_t count) noexcept { FreeBlock(block, count * sizeof(T)); }

    friend bool operator==(const HugePageAllocator &, const HugePageAllocator &) { return true; }
};
