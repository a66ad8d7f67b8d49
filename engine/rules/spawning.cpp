// A new piece: the waiting piece starts falling, the speed of the difficulty is set, the level is
// worked out at "Intense" and a new next piece is drawn at random.

#include <cstdio>

#include "engine/rules/form1.h"
#include "engine/rules/random.h"

namespace blokko {

namespace {

// Fall speed per difficulty, in rows per play tick; any other difficulty keeps the current speed.
constexpr float EasySpeed = 0.3f;
constexpr float MediumSpeed = 0.6f;
constexpr float HardSpeed = 1.0f;
constexpr float IntenseSpeed = 0.45f;

// The level for a score, every bound strict; a score on a bound keeps the previous level.
std::int16_t levelFor(double score, std::int16_t previous)
{
    struct Band {
        double above;
        double below;
        std::int16_t level;
    };
    constexpr Band bands[] = {
        {20000, 1e300, 9},
        {15000, 20000, 8},
        {10000, 15000, 7},
        {7500, 10000, 6},
        {5000, 7500, 5},
        {3000, 5000, 4},
        {2000, 3000, 3},
        {1000, 2000, 2},
        {500, 1000, 1},
        {-1e300, 500, 0},
    };
    for (const Band& band : bands)
        if (score > band.above && score < band.below)
            return band.level;
    return previous;
}

} // namespace

void Form1::change()
{
    auto& c = controls();
    const int difficulty = host_.difficulty();
    if (difficulty == 1)
        speed = EasySpeed;
    if (difficulty == 2)
        speed = MediumSpeed;
    if (difficulty == 3)
        speed = HardSpeed;
    if (difficulty == 4)
        speed = IntenseSpeed;

    piece = static_cast<int>(nextpiece);

    if (difficulty == 4) {
        level = levelFor(score.numeric(), level);
        char caption[16];
        std::snprintf(caption, sizeof caption, "Level %d", level);
        c.edit(c.Level).Caption = caption;
        const int choices = level + 7;
        nextpiece = static_cast<float>(Int(host_.random().next() * static_cast<float>(choices)) + 1);
    } else {
        nextpiece = static_cast<float>(Int(host_.random().next() * 7.0f) + 1);
    }
    shownext();

    across = 3;
    down = -4;
    turn = 1;
    for (row = 1; row <= BoxCells; ++row) {
        Cell& boxCell = c.edit(c.Shape1[static_cast<std::size_t>(row)]);
        boxCell.Visible = false;
        paintPiece(boxCell, piece);
    }
}

} // namespace blokko
