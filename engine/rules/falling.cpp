// The play tick: the piece falls by `speed` rows, is redrawn, and lands on the first occupied cell
// below any of its cells.

#include "engine/rules/form1.h"

namespace blokko {

void Form1::Timer1_Timer()
{
    drop();
    if (landed) {
        stack();
        change(); // also after a game-ending landing: the next piece is prepared but never falls
    }
}

void Form1::drop()
{
    auto& c = controls();
    down = down + speed;
    landed = false;
    int k = 0;
    for (row = 1; row <= 4; ++row) {
        for (col = 1; col <= 4; ++col) {
            ++k;
            c.edit(c.Shape1[static_cast<std::size_t>(k)]).Visible = false;
            rotate();
            if (patternFilled(piece, prow, pcol)) {
                temp = k;
                display();
            }
        }
    }
}

// Draws box cell `temp` at the box position (row, col) and tests the well cell below its whole row.
void Form1::display()
{
    auto& c = controls();
    const float a = static_cast<float>(row) + down;
    const int b = col + across;
    Cell& boxCell = c.edit(c.Shape1[static_cast<std::size_t>(temp)]);
    boxCell.Top = cell * a + 50.0f;
    boxCell.Left = cell * static_cast<float>(b) + 50.0f;
    boxCell.Visible = true;
    int n = wellIndex(Int(a), b);
    if (n < 14)
        n = 14; // in or above the top wall row: test row 2 of the first column instead
    if (wellOccupied(n + WellColumns)) // the cell directly below
        landed = true;
}

bool Form1::wellOccupied(int n) const
{
    if (n > WellCells)
        return true; // below the floor
    return controls().Shape2[static_cast<std::size_t>(n)].Visible;
}

} // namespace blokko
