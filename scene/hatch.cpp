#include "scene/hatch.h"

#include <algorithm>
#include <cmath>

namespace blokko::scene {

namespace {

// Rows of each pattern, '#' for ink: the horizontal line in row 3, the vertical one in column 4, the
// diagonals through (0, 0) and (7, 0).
constexpr const char* Rows[][HatchPeriod] = {
    // Horizontal
    {"........", "........", "........", "########", "........", "........", "........", "........"},
    // Vertical
    {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."},
    // UpwardDiagonal
    {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."},
    // DownwardDiagonal
    {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"},
    // Cross
    {"....#...", "....#...", "....#...", "########", "....#...", "....#...", "....#...", "....#..."},
    // DiagonalCross
    {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"},
};

// The first device pixel of logical pixel `logical` in a tile of `side` device pixels: rounded, halves up,
// as every edge is.
int edge(int logical, int side)
{
    return static_cast<int>(std::floor(logical * static_cast<double>(side) / HatchPeriod + 0.5));
}

} // namespace

bool hatchInked(Hatch style, int x, int y)
{
    if (x < 0 || y < 0 || x >= HatchPeriod || y >= HatchPeriod)
        return false;
    switch (style) {
    case Hatch::Solid:
        return true;
    case Hatch::None:
        return false;
    default:
        return Rows[static_cast<int>(style) - static_cast<int>(Hatch::Horizontal)][y][x] == '#';
    }
}

int hatchTileSide(double ratio)
{
    // Below 1 the tile keeps its logical size; ratios past any screen's are taken as the largest one.
    const double r = ratio >= 1 ? std::min(ratio, 16.0) : 1.0;
    return static_cast<int>(std::lround(HatchPeriod * r));
}

HatchTile hatchTile(Hatch style, double ratio)
{
    HatchTile tile;
    if (style == Hatch::None || !(ratio > 0))
        return tile;
    tile.side = hatchTileSide(ratio);
    tile.ink.assign(static_cast<std::size_t>(tile.side) * static_cast<std::size_t>(tile.side), 0);
    for (int ly = 0; ly < HatchPeriod; ++ly)
        for (int lx = 0; lx < HatchPeriod; ++lx) {
            if (!hatchInked(style, lx, ly))
                continue;
            for (int y = edge(ly, tile.side); y < edge(ly + 1, tile.side); ++y)
                for (int x = edge(lx, tile.side); x < edge(lx + 1, tile.side); ++x)
                    tile.ink[static_cast<std::size_t>(y * tile.side + x)] = 255;
        }
    return tile;
}

} // namespace blokko::scene
