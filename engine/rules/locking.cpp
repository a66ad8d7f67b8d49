// Fixing a landed piece into the well, and the end of a game when a fixed cell reaches the top wall.

#include "engine/rules/form1.h"

namespace blokko {

void Form1::stack()
{
    auto& c = controls();
    int k = 0;
    for (row = 0; row <= 3; ++row) {
        for (col = 0; col <= 3; ++col) {
            ++k;
            // The upper of the two rows a part-way cell overlaps: Int(down + 1), not Int(down) + 1.
            const int n = wellIndex(Int(down + 1.0f) + row, across + col + 1);
            const Cell& boxCell = c.Shape1[static_cast<std::size_t>(k)];
            if (!boxCell.Visible)
                continue;
            if (n < 12) {
                // In the top wall row or above the well: the game is over.
                c.edit(c.Command1);
                c.Command1.Top = c.ScaleHeight() / 2.0f - c.Command1.Height / 2.0f;
                c.Command1.Left = c.ScaleWidth() / 2.0f - c.Command1.Width / 2.0f;
                c.Command1.Visible = true;
                c.Timer1.Interval = 0;
            }
            // A cell above the well has no well cell to take it.
            if (n >= 1 && n <= WellCells) {
                Cell& wellCell = c.edit(c.Shape2[static_cast<std::size_t>(n)]);
                wellCell.BackColor = boxCell.BackColor;
                wellCell.FillStyle = boxCell.FillStyle;
                wellCell.Visible = true;
            }
        }
    }
    checkrow();
    blocks = advanceCounter(numericValue(blocks), 1, 4);
    c.edit(c.piecelabel).Caption = "Blocks:" + blocks;
    addscore();
}

} // namespace blokko
