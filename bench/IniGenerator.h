#pragma once

#include <cstddef>
#include <string>

// A realistic velmoran.ini of the given number of blocks: a comment head, then blocks
// with every key in a believable mix and names of varied length. The same seed gives
// the same bytes.
std::string GenerateIni(std::size_t blocks, unsigned seed);
