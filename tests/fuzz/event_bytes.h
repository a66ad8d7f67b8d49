#pragma once
// Turns a string of bytes into a game played through CheckedProgram: events are read from the front
// of the bytes, the random values of piece choice from the back.

#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "tests/support/invariants.h"

namespace blokko::checks {

// The longest input worth playing; longer ones are ignored, so every input finishes quickly.
constexpr std::size_t MaxInputBytes = 4096;
// No input delivers more events than this (a burst of ticks counts each tick).
constexpr std::uint64_t MaxEvents = 20000;

// Plays `data` from program start, checking every invariant after every event (a violation aborts).
// With `script`, writes the events as a blokko-trace script. Returns what was played.
Totals playBytes(const std::uint8_t* data, std::size_t size, std::ostream* script);

} // namespace blokko::checks
