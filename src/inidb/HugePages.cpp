#include "HugePages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a block is mostly in memory already, or too small to be worth a call.
constexpr std::size_t kPopulatedBlock = std::size_t{256} << 10;
constexpr std::uintptr_t kPage = 4096;

std::align_val_t alignmentFor(std::size_t size)
{
    return std::align_val_t{size >= kHugePage ? kHugePage : alignof(std::max_align_t)};
}

} // namespace

void AdviseHugePages(const void *begin, std::size_t size)
{
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (start + size) & ~(kHugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
}

void *AllocateBlock(std::size_t size)
{
    void *block = ::operator new(size, alignmentFor(size));
    AdviseHugePages(block, size);
    return block;
}

void FreeBlock(void *block, std::size_t size) noexcept
{
    ::operator delete(block, size, alignmentFor(size));
}

void PopulateBlock(void *block, std::size_t size)
{
    if (size < kPopulatedBlock)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = start & ~(kPage - 1);
    ::madvise(reinterpret_cast<void *>(first), start + size - first, MADV_POPULATE_WRITE);
}
