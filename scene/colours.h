#pragma once
// Colours as every front end draws them: the engine's 0x00BBGGRR values and its system colours resolved
// once to plain 0x00RRGGBB.

#include <cstdint>

#include "engine/rules/controls.h"

namespace blokko::scene {

// A resolved colour, 0x00RRGGBB.
using Rgb = std::uint32_t;

// The system's window-text colour as drawn: black.
constexpr Rgb WindowTextRgb = 0x000000;

// A system colour (high bit set) is drawn as the window-text colour, the only one the game uses.
constexpr Rgb rgbOf(Colour colour)
{
    if (colour & 0x80000000u)
        return WindowTextRgb;
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

} // namespace blokko::scene
