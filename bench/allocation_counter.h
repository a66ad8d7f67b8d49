#pragma once
// Counts the heap allocations of the whole process, so a benchmark can report them per iteration.

#include <cstdint>

namespace blokko::bench {

std::uint64_t allocationCount();

} // namespace blokko::bench
