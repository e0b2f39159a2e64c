#include "HeapCounter.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// The word glibc keeps in front of every block.
constexpr std::size_t kBlockHeader = sizeof(std::size_t);

std::size_t g_inUse = 0;
std::size_t g_peak = 0;

void *allocate(std::size_t size)
{
    void *block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    g_inUse += malloc_usable_size(block) + kBlockHeader;
    if (g_inUse > g_peak)
        g_peak = g_inUse;
    return block;
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
