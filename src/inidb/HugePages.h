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

// Puts every page of a fresh block in place in one call, where the system can, rather
// than taking a page fault at the first write to each 4 KB of it.
void PopulateBlock(void *block, std::size_t size);

// When a fresh block gets its pages: at the first write to each (huge pages advised), or
// all at once, for a block that is written whole straight away.
enum class PageFill { OnTouch, AtOnce };

// Lets a container keep its elements in such blocks.
template <typename T, PageFill Fill = PageFill::OnTouch>
struct FreshBlockAllocator {
    using value_type = T;
    template <typename U>
    struct rebind {
        using other = FreshBlockAllocator<U, Fill>;
    };

    FreshBlockAllocator() = default;
    template <typename U>
    FreshBlockAllocator(const FreshBlockAllocator<U, Fill> &) noexcept
    {
    }

    T *allocate(std::size_t count)
    {
        void *block = AllocateBlock(count * sizeof(T));
        if constexpr (Fill == PageFill::AtOnce)
            PopulateBlock(block, count * sizeof(T));
        return static_cast<T *>(block);
    }
    void deallocate(T *block, std::size_t count) noexcept { FreeBlock(block, count * sizeof(T)); }

    friend bool operator==(const FreshBlockAllocator &, const FreshBlockAllocator &) { return true; }
};
