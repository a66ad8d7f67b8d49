#pragma once
// The geometry of the well and of the 4 x 4 boxes, and the one numbering of the well's cells.

namespace blokko {

constexpr int BoxCells = 16;
constexpr int WellRows = 22; // row 0 is the top wall, row 21 the floor
constexpr int WellColumns = 12; // columns 0 and 11 are the side walls
constexpr int WellCells = WellRows * WellColumns; // 264

// The number of the well cell in well row `wellRow` (0 to 21) and well column `wellColumn` (0 to 11):
// 1 to 264, row by row from the top left.
constexpr int wellIndex(int wellRow, int wellColumn)
{
    return WellColumns * wellRow + wellColumn + 1;
}

} // namespace blokko
