#pragma once

#include <cstddef>

// Asks the system to back the not yet touched memory [begin, begin + size) with huge
// pages. A large buffer filled at once (a file's bytes, a loaded table) then takes a few
// page faults instead of thousands, which is most of the cost of a first load in a
// fresh process. Only advice: where the system does not follow it nothing changes.
void AdviseHugePages(const void *begin, std::size_t size);
