#pragma once

#include <cstddef>

// Heap bytes of the whole program, as the allocator hands them out (each block's usable
// size plus its bookkeeping word), counted by the replaced operator new and delete.
std::size_t HeapInUse();
std::size_t HeapPeak();
// Starts a new peak from what is in use now.
void ResetHeapPeak();
