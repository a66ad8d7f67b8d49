#pragma once
// The look of a piece: the hatch and colour every one of its cells gets.

#include "engine/rules/controls.h"

namespace blokko {

struct PieceLook {
    int FillStyle = 0;
    Colour BackColor = 0;
};

// Pieces 8 to 14 look like 1 to 7, pieces 15 and 16 like 1 and 2: one formula per range of numbers,
// as the game has always written it.
constexpr PieceLook pieceLook(int number)
{
    if (number < 8)
        return {number, RGB(30 * number, 210 - 30 * number, 150)};
    if (number < 15)
        return {number - 7, RGB(30 * number - 210, 420 - 30 * number, 150)};
    return {number - 14, RGB(30 * number - 420, 630 - 30 * number, 150)};
}

} // namespace blokko
