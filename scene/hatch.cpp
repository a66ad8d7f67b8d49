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

// How much of device pixel `device` lies in logical pixel `logical`, along one axis.
double overlap(int device, int logical, double ratio)
{
    return std::max(
        0.0, std::min<double>(device + 1, (logical + 1) * ratio) - std::max<double>(device, logical * ratio));
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
    const double scale = static_cast<double>(tile.side) / HatchPeriod;
    tile.ink.assign(static_cast<std::size_t>(tile.side) * static_cast<std::size_t>(tile.side), 0);
    for (int y = 0; y < tile.side; ++y)
        for (int x = 0; x < tile.side; ++x) {
            double covered = 0;
            for (int ly = static_cast<int>(y / scale); ly < HatchPeriod && ly * scale < y + 1; ++ly)
                for (int lx = static_cast<int>(x / scale); lx < HatchPeriod && lx * scale < x + 1; ++lx)
                    if (hatchInked(style, lx, ly))
                        covered += overlap(x, lx, scale) * overlap(y, ly, scale);
            tile.ink[static_cast<std::size_t>(y * tile.side + x)] =
                static_cast<std::uint8_t>(std::lround(std::min(1.0, covered) * 255));
        }
    return tile;
}

} // namespace blokko::scene
