#pragma once
// The hatch patterns: one table of 8 x 8 logical pixels, lines one logical pixel thick, anchored at the
// window's top left corner, and the tile each front end repeats at a device pixel ratio.

#include <cstdint>
#include <vector>

#include "engine/rules/controls.h"

namespace blokko::scene {

constexpr int HatchPeriod = 8; // logical pixels

// Whether the logical pixel (x, y) of a period, 0 to 7 each, is inked. A solid hatch inks every pixel;
// none inks none.
bool hatchInked(Hatch style, int x, int y);

// One period of a hatch in device pixels: `side` x `side`, and for each pixel, row by row, whether the ink
// covers it: 255 or 0, drawn in black over the inside of the cell. Empty (side 0) for no hatch.
struct HatchTile {
    int side = 0;
    std::vector<std::uint8_t> ink;
};

// The tile at a device pixel ratio: each logical pixel covers the device pixels between its edges, each
// edge rounded on its own, so a line is whole device pixels thick and a cell shows only its own colours
// and black at any ratio (at 1.25 a line is one or two device pixels thick). The period is 8 x ratio
// rounded to whole device pixels (at least 8).
HatchTile hatchTile(Hatch style, double ratio);
// The side of every tile at a ratio.
int hatchTileSide(double ratio);

} // namespace blokko::scene
