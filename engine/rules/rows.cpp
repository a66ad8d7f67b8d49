// Removing full rows and keeping the score, rows and best score as digit texts.

#include "engine/rules/form1.h"

namespace blokko {

namespace {

constexpr int ScoreDigits = 6;
constexpr int RowsDigits = 3;
constexpr int PointsPerStep = 10;
constexpr int StepsPerRow = 10;

} // namespace

// Rows 2 to 20 are tested; row 1 never is.
void Form1::checkrow()
{
    auto& c = controls();
    for (row = 2; row <= 20; ++row) {
        for (col = 2; col <= 11; ++col)
            if (!c.Shape2[static_cast<std::size_t>(12 * row + col)].Visible)
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
    for (int n = 12 + 2; n <= 12 + 11; ++n)
        rowOneFull = rowOneFull && cellAt(n).Visible;

    for (row = temp; row >= 2; --row) {
        for (col = 2; col <= 11; ++col) {
            const int d = 12 * row + col;
            cellAt(d).Visible = cellAt(d - 12).Visible;
            cellAt(d).FillStyle = cellAt(d - 12).FillStyle;
            cellAt(d).BackColor = cellAt(d - 12).BackColor;
        }
    }
    // Row 1 stays as it was, so rows 1 and 2 now hold the same cells. A full row 1 copied down would
    // be found full again after every removal and the scan would never end: empty it instead.
    if (rowOneFull)
        for (int n = 12 + 2; n <= 12 + 11; ++n)
            cellAt(n).Visible = false;

    for (int step = 0; step < StepsPerRow; ++step)
        addscore();
    rows = LooseValue::text(advanceCounter(rows.numeric(), 1, RowsDigits));
    c.rowslabel.Caption = "Rows:" + rows.joined();
}

void Form1::addscore()
{
    auto& c = controls();
    score = LooseValue::text(advanceCounter(score.numeric(), PointsPerStep, ScoreDigits));
    c.scorelabel.Caption = "Score:" + score.joined();
    // Both are six-digit texts here, so the numeric order is theirs; an empty best score is the lowest.
    if (hiscore.isEmpty() || score.numeric() > hiscore.numeric())
        hiscore = score;
    c.hscorelabel.Caption = "HiScore:" + hiscore.joined();
}

} // namespace blokko
