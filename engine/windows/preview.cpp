// The next piece, shown unturned in a 4 x 4 grid laid over the backdrop beside the well.

#include "engine/rules/form1.h"

namespace blokko {

void Form1::nextdisplay()
{
    auto& c = controls();
    c.Shape3[0].Width = c.backdrop.Width / 4.0f;
    c.Shape3[0].Height = c.backdrop.Height / 4.0f;
    for (row = 1; row <= BoxCells; ++row)
        c.create(c.Shape3[static_cast<std::size_t>(row)], c.Shape3[0]);
}

// Cells are placed only when shown, from the backdrop's place at this moment; a hidden cell keeps
// its last place and look.
void Form1::shownext()
{
    auto& c = controls();
    const float w = c.backdrop.Width / 4.0f;
    const float h = c.backdrop.Height / 4.0f;
    const int number = static_cast<int>(nextpiece);
    int k = 0;
    for (row = 0; row <= 3; ++row) {
        for (col = 0; col <= 3; ++col) {
            ++k;
            Cell& previewCell = c.Shape3[static_cast<std::size_t>(k)];
            const char square = patternChar(number, row + 1, col + 1);
            if (square == '1') {
                previewCell.Left = c.backdrop.Left + static_cast<float>(col) * w;
                previewCell.Top = c.backdrop.Top + static_cast<float>(row) * h;
                c.bringToFront(previewCell);
                paintPiece(previewCell, number);
                previewCell.Visible = true;
            } else if (square == '0') {
                c.edit(previewCell).Visible = false;
            }
        }
    }
}

} // namespace blokko
