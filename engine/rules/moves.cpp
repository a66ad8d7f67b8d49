// The player's keys: shift, turn, hurry and pause. A shift or turn is made at once, tested by
// `verified`, and undone when the piece would overlap an occupied cell.

#include "engine/rules/form1.h"
#include "engine/rules/keys.h"

namespace blokko {

void Form1::Form_KeyDown(int KeyCode, int /*Shift*/)
{
    auto& c = controls();
    switch (static_cast<Key>(KeyCode)) {
    case Key::Left:
        temp = across;
        across = across - 1;
        verified();
        if (blocked == -1)
            across = temp;
        break;
    case Key::Right:
        temp = across;
        across = across + 1;
        verified();
        if (blocked == -1)
            across = temp;
        break;
    case Key::A:
        temp = turn;
        turn = turn + 1;
        if (turn == 5)
            turn = 1;
        verified();
        if (blocked == -1)
            turn = temp;
        break;
    case Key::S:
        temp = turn;
        turn = turn - 1;
        if (turn == 0)
            turn = 4;
        verified();
        if (blocked == -1)
            turn = temp;
        break;
    case Key::Down:
        // Only the first hurry of a piece earns points: speed stays 1.0 until the next piece.
        if (speed < 1.0f)
            score = LooseValue::number(score.numeric() + 5);
        speed = 1.0f;
        break;
    case Key::P:
        // In front of everything, the curtain halves included: the button is the only way back.
        c.bringWindowedToFront(c.Pause);
        c.Pause.Visible = true;
        c.Timer1.Enabled = false;
        c.Timer2.Enabled = false;
        c.Timer3.Enabled = false;
        break;
    default:
        break; // no other key acts
    }
}

// Tests each cell of the piece against the well row it is moving into; leaves -1 in `blocked` when
// any of them is occupied.
void Form1::verified()
{
    blocked = 0;
    for (row = 1; row <= 4; ++row) {
        for (col = 1; col <= 4; ++col) {
            rotate();
            if (patternFilled(piece, prow, pcol)) {
                int index = wellIndex(Int(down) + row + 1, across + col);
                if (index < 0)
                    index = 1; // above the well: the top-left corner, which is wall
                if (wellOccupied(index))
                    blocked = -1;
            }
        }
    }
}

} // namespace blokko
