// The sixteen piece shapes, the turning rule and the colour of a piece.

#include "engine/rules/form1.h"
#include "engine/rules/piece_look.h"

namespace blokko {

namespace {

// Rows 1 to 4 of pieces 1 to 16: "1" a filled square, "0" an empty one.
constexpr const char* Shapes[16][4] = {
    {"0000", "0000", "0010", "1110"}, // 1
    {"0000", "0000", "0100", "0111"}, // 2
    {"0000", "0000", "0000", "1111"}, // 3
    {"0000", "0000", "0100", "1110"}, // 4
    {"0000", "0110", "0110", "0000"}, // 5
    {"0000", "0000", "1100", "0110"}, // 6
    {"0000", "0000", "0011", "0110"}, // 7
    {"0000", "1110", "1110", "0000"}, // 8
    {"0000", "1110", "0010", "0010"}, // 9
    {"0000", "1110", "0110", "0010"}, // 10
    {"0000", "0110", "1111", "0000"}, // 11
    {"0000", "1110", "1010", "0000"}, // 12
    {"0000", "0011", "0110", "1100"}, // 13
    {"0000", "1100", "0110", "0011"}, // 14
    {"0000", "1110", "1010", "1010"}, // 15
    {"0000", "0100", "1110", "0100"}, // 16
};

} // namespace

void Form1::fillPatterns()
{
    for (int number = 1; number <= 16; ++number)
        for (int patternRow = 1; patternRow <= 4; ++patternRow)
            patterns[static_cast<std::size_t>(number)][static_cast<std::size_t>(patternRow)] =
                Shapes[number - 1][patternRow - 1];
}

// Which pattern square decides box cell (row, col) at the current turn. Any other turn leaves the
// previous answer in place.
void Form1::rotate()
{
    if (turn == 1) {
        prow = row;
        pcol = col;
    }
    if (turn == 2) {
        prow = 5 - col;
        pcol = row;
    }
    if (turn == 3) {
        prow = 5 - row;
        pcol = 5 - col;
    }
    if (turn == 4) {
        prow = col;
        pcol = 5 - row;
    }
}

// A position outside the table (a turn that never reached 1 to 4 leaves position 0) reads no
// character, so the cell is empty.
char Form1::patternChar(int number, int patternRow, int position) const
{
    if (number < 0 || number >= PatternPieces || patternRow < 0 || patternRow >= PatternRows || position < 1)
        return 0;
    const std::string& text = patterns[static_cast<std::size_t>(number)][static_cast<std::size_t>(patternRow)];
    if (static_cast<std::size_t>(position) > text.size())
        return 0;
    return text[static_cast<std::size_t>(position) - 1];
}

// FillStyle first, then BackColor.
void Form1::paintPiece(Cell& target, int number) const
{
    const PieceLook look = pieceLook(number);
    target.FillStyle = look.FillStyle;
    target.BackColor = look.BackColor;
}

} // namespace blokko
