#include "HeapCounter.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// The word glibc keeps in front of every block.
constexpr std::size_t kBlockHeader = sizeof(std::size_t);

std::size_t g_inUse = 0;
std::size_t g_peak = 0;

void count(std::size_t size)
{
    g_inUse += size + kBlockHeader;
    if (g_inUse > g_peak)
        g_peak = g_inUse;
}

void *allocate(std::size_t size)
{
    void *block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    count(malloc_usable_size(block));
    return block;
}

void *allocateAligned(std::size_t size, std::align_val_t alignment)
{
    const auto bytes = static_cast<std::size_t>(alignment);
    void *block = std::aligned_alloc(bytes, (size + bytes - 1) / bytes * bytes);
    if (!block)
        throw std::bad_alloc();
    count(size);
    return block;
}

void releaseAligned(void *block, std::size_t size)
{
    g_inUse -= size + kBlockHeader;
    std::free(block);
}

void release(void *block)
{
    if (!block)
        return;
    g_inUse -= malloc_usable_size(block) + kBlockHeader;
    std::free(block);
}

} // namespace

void *operator new(std::size_t size)
{
    return allocate(size);
}

void *operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void *block) noexcept
{
    release(block);
}

void operator delete[](void *block) noexcept
{
    release(block);
}

void operator delete(void *block, std::size_t) noexcept
{
    release(block);
}

void operator delete[](void *block, std::size_t) noexcept
{
    release(block);
}

// An aligned block is counted by the size asked for: the room glibc skips to reach the
// alignment is address space that is never touched, not memory the program holds.
void *operator new(std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}

void *operator new[](std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}

void operator delete(void *block, std::size_t size, std::align_val_t) noexcept
{
    releaseAligned(block, size);
}

void operator delete[](void *block, std::size_t size, std::align_val_t) noexcept
{
    releaseAligned(block, size);
}

std::size_t HeapInUse()
{
    return g_inUse;
}

std::size_t HeapPeak()
{
    return g_peak;
}

void ResetHeapPeak()
{
    g_peak = g_inUse;
}
