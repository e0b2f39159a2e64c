#include "RowList.h"

#include <sys/mman.h>

namespace {

// Below this a block is mostly in memory already, or too small to be worth a call.
constexpr std::size_t kPopulatedBlock = std::size_t{256} << 10;
constexpr std::uintptr_t kPage = 4096;

} // namespace

void PopulateBlock(void *block, std::size_t size)
{
    if (size < kPopulatedBlock)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = start & ~(kPage - 1);
    ::madvise(reinterpret_cast<void *>(first), start + size - first, MADV_POPULATE_WRITE);
}
