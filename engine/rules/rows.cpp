// Removing full rows and keeping the score, rows and best score as digit texts.

#include "engine/rules/form1.h"

namespace blokko {

namespace {

constexpr int ScoreDigits = 6;
constexpr int RowsDigits = 3;
constexpr int PointsPerStep = 10;
constexpr int StepsPerRow = 10;

} // namespace

// Rows 2 to 20 are tested; row 1 never is. `col` runs 2 to 11 over the well columns 1 to 10.
void Form1::checkrow()
{
    auto& c = controls();
    for (row = 2; row <= 20; ++row) {
        for (col = 2; col <= 11; ++col)
            if (!c.Shape2[static_cast<std::size_t>(wellIndex(row, col - 1))].Visible)
                col = 99; // a hole: the loop's next step ends this row's scan
        if (col < 99) {
            temp = row;
            deleterow(); // leaves `row` at 1, so the scan starts again at row 2
        }
    }
}

void Form1::deleterow()
{
    auto& c = controls();
    const auto cellAt = [&c](int n) -> Cell& { return c.Shape2[static_cast<std::size_t>(n)]; };

    bool rowOneFull = true;
    for (int column = 1; column <= 10; ++column)
        rowOneFull = rowOneFull && cellAt(wellIndex(1, column)).Visible;

    for (row = temp; row >= 2; --row) {
        for (col = 2; col <= 11; ++col) {
            const int d = wellIndex(row, col - 1);
            const Cell& above = cellAt(d - WellColumns);
            Cell& target = c.edit(cellAt(d));
            target.Visible = above.Visible;
            target.FillStyle = above.FillStyle;
            target.BackColor = above.BackColor;
        }
    }
    // Row 1 stays as it was, so rows 1 and 2 now hold the same cells. A full row 1 copied down would
    // be found full again after every removal and the scan would never end: empty it instead.
    if (rowOneFull)
        for (int column = 1; column <= 10; ++column)
            c.edit(cellAt(wellIndex(1, column))).Visible = false;

    for (int step = 0; step < StepsPerRow; ++step)
        addscore();
    rows = LooseValue::text(advanceCounter(rows.numeric(), 1, RowsDigits));
    c.edit(c.rowslabel).Caption = "Rows:" + rows.joined();
}

void Form1::addscore()
{
    auto& c = controls();
    score = LooseValue::text(advanceCounter(score.numeric(), PointsPerStep, ScoreDigits));
    c.edit(c.scorelabel).Caption = "Score:" + score.joined();
    // Both are six-digit texts here, so the numeric order is theirs; an empty best score is the lowest.
    if (hiscore.isEmpty() || score.numeric() > hiscore.numeric())
        hiscore = score;
    c.edit(c.hscorelabel).Caption = "HiScore:" + hiscore.joined();
}

} // namespace blokko
