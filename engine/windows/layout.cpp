// The steps that fit the game window to the cell size when it loads.

#include <cmath>
#include <initializer_list>

#include "engine/rules/form1.h"

namespace blokko {

// The cell edge comes from the designed inner width, and the window is sized to 22 cells square plus
// its title bar.
void Form1::sizing()
{
    auto& c = controls();
    cell = static_cast<float>(std::floor(static_cast<double>(c.ScaleWidth()) / 20.0));
    c.Width = 22.0f * cell;
    c.Height = 22.0f * cell + 450.0f;
    c.Shape1[0].Width = cell;
    c.Shape1[0].Height = cell;
    c.Shape2[0].Width = cell;
    c.Shape2[0].Height = cell;
}

void Form1::loadshapes()
{
    auto& c = controls();
    for (row = 1; row <= BoxCells; ++row) {
        c.create(c.Shape1[static_cast<std::size_t>(row)], c.Shape1[0]);
        c.Shape1[static_cast<std::size_t>(row)].Width = cell;
        c.Shape1[static_cast<std::size_t>(row)].Height = cell;
    }
}

void Form1::border()
{
    auto& c = controls();
    int n = 0;
    for (row = 0; row <= WellRows - 1; ++row) {
        for (col = 0; col <= WellColumns - 1; ++col) {
            ++n;
            Cell& wellCell = c.Shape2[static_cast<std::size_t>(n)];
            c.create(wellCell, c.Shape2[0]);
            c.bringToFront(wellCell);
            wellCell.Top = cell * static_cast<float>(row) + 50.0f;
            wellCell.Left = cell * static_cast<float>(col) + 60.0f;
            if (row == 0 || row == WellRows - 1 || col == 0 || col == WellColumns - 1) // the wall
                wellCell.Visible = true;
        }
    }
}

// Centres the side panel on one vertical line, 17 cells from the left.
void Form1::setup()
{
    auto& c = controls();
    const float x = 17.0f * cell;
    c.edit(c.backdrop).Width = c.backdrop.Height;
    for (Control* control : std::initializer_list<Control*>{
             &c.npiece, &c.backdrop, &c.scorelabel, &c.hscorelabel, &c.rowslabel, &c.piecelabel, &c.Level})
        c.edit(*control).Left = x - control->Width / 2.0f;
}

} // namespace blokko
