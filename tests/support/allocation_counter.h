#pragma once
// Counts every heap allocation of the process: linking this replaces the global operator new, so tests
// and benchmarks can show that an event allocates nothing.

#include <cstdint>

namespace blokko {

// Allocations so far, from any thread.
std::uint64_t allocationCount();

} // namespace blokko
