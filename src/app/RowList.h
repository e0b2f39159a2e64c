#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Puts every page of a fresh block in place in one call, where the system can, rather
// than taking a page fault at the first write to each 4 KB of it.
void PopulateBlock(void *block, std::size_t size);

// Keeps a list's per-row numbers. A fill writes all of them at once, so a large block
// gets its pages at once.
template <typename T>
struct RowAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;

    T *allocate(std::size_t count)
    {
        T *block = std::allocator<T>::allocate(count);
        PopulateBlock(block, count * sizeof(T));
        return block;
    }
};

// Source rows of the list, in some order.
using RowList = std::vector<int, RowAllocator<int>>;
