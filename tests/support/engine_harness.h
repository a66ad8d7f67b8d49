#pragma once
// The engine with a scripted random source, brought to the state a test needs, and the well drawn and
// read back as rows of text: '.' an empty cell, '1' to '7' a block of that piece colour, '#' the well's
// own look (the wall's red with a diagonal cross). Plain C++, shared by the engine tests, the desktop
// harness and the benchmarks.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/program/program.h"
#include "tools/state_dump.h"
#include "tools/trace_script.h"

namespace blokko::test {

// The draw that makes Int(draw * 7) + 1 choose this standard piece (1 to 7).
constexpr float drawFor(int piece)
{
    return (static_cast<float>(piece) - 0.5f) / 7.0f;
}

// Well row 0 to 21, column 0 to 11: the walls around playing rows 1 to 20, columns 1 to 10. Numbered
// here apart from the engine on purpose, so a wrong numbering there shows.
inline const Cell& wellCell(const Form1Controls& c, int row, int column)
{
    return c.Shape2[static_cast<std::size_t>(12 * row + column + 1)];
}

inline Cell& wellCell(Form1Controls& c, int row, int column)
{
    return c.Shape2[static_cast<std::size_t>(12 * row + column + 1)];
}

// Well row `row` from `first` to `last` column as text.
inline std::string wellText(const Form1Controls& c, int row, int first = 1, int last = 10)
{
    std::string line;
    for (int column = first; column <= last; ++column) {
        const Cell& cell = wellCell(c, row, column);
        line += cell.Visible ? lookChar(cell) : '.';
    }
    return line;
}

// The 16 cells of the box or of the preview in cell-number order: '.' hidden, else the look.
inline std::string boxCellsText(const std::array<Cell, BoxCells + 1>& cells)
{
    std::string text;
    for (std::size_t k = 1; k <= BoxCells; ++k)
        text += cells[k].Visible ? lookChar(cells[k]) : '.';
    return text;
}

// Gives a cell the look that `look` stands for.
inline void paintLook(Cell& cell, char look)
{
    if (look >= '1' && look <= '7') {
        const int q = look - '0';
        cell.FillStyle = q;
        cell.BackColor = RGB(30 * q, 210 - 30 * q, 150);
    } else {
        cell.FillStyle = 7;
        cell.BackColor = 0x000000FF;
    }
}

// The empty playing area between the walls, as rowsText gives it.
inline std::vector<std::string> emptyRows(int count)
{
    return std::vector<std::string>(static_cast<std::size_t>(count), "..........");
}

class EngineHarness {
protected:
    QueuedRandom random;
    Program program{random};

    Form1& f() { return program.form1; }
    Form1Controls& c() { return program.form1.controls(); }

    void queue(std::initializer_list<float> values)
    {
        for (float value : values)
            random.push(value);
    }

    // Chooses the difficulty and presses "GO!": the game window loads; the parade has not stepped yet.
    void loadAt(int difficulty)
    {
        program.scrollTo(difficulty);
        program.clickGo();
    }

    // Ticks the parade until `begin` has stopped it; returns the number of ticks.
    int runParade()
    {
        int ticks = 0;
        while (c().Timer2.Interval > 0 && ticks < 100) {
            program.tick(TimerId::Timer2);
            ++ticks;
        }
        return ticks;
    }

    // Loads at `difficulty` and runs the parade: `first` falls, `next` waits in the preview.
    void startPlay(int difficulty, int first, int next)
    {
        queue({drawFor(first), drawFor(next)});
        loadAt(difficulty);
        runParade();
    }

    void tickPlay(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            program.tick(TimerId::Timer1);
    }

    Cell& wellCell(int row, int column) { return test::wellCell(c(), row, column); }

    // Draws playing rows `first`, `first` + 1, ... (columns 1 to 10, ten characters a row).
    void drawRows(int first, const std::vector<std::string>& rows)
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].size() != 10)
                throw std::invalid_argument("a drawn row has ten cells: " + rows[i]);
            for (int column = 1; column <= 10; ++column) {
                // Stamped as the rules stamp what they change, so whoever draws the well sees it.
                Cell& target = c().edit(wellCell(first + static_cast<int>(i), column));
                const char look = rows[i][static_cast<std::size_t>(column - 1)];
                target.Visible = look != '.';
                if (target.Visible)
                    paintLook(target, look);
            }
        }
    }

    // Draws the lowest rows of the well: the last one given is row 20.
    void drawBottom(const std::vector<std::string>& rows) { drawRows(21 - static_cast<int>(rows.size()), rows); }

    // Playing rows `first` to `last` as text.
    std::vector<std::string> rowsText(int first, int last)
    {
        std::vector<std::string> text;
        for (int r = first; r <= last; ++r)
            text.push_back(wellText(c(), r));
        return text;
    }

    std::vector<std::string> bottomText(int count) { return rowsText(21 - count, 20); }

    // A whole well row, wall columns included.
    std::string wellRowText(int r) { return wellText(c(), r, 0, 11); }

    std::string boxText() { return boxCellsText(c().Shape1); }
    std::string previewText() { return boxCellsText(c().Shape3); }

    // Puts the falling piece where a test wants it.
    void placePiece(int piece, int turn, int across, float down)
    {
        f().piece = piece;
        f().turn = turn;
        f().across = across;
        f().down = down;
    }

    int shownWellCells()
    {
        int shown = 0;
        for (std::size_t n = 1; n <= static_cast<std::size_t>(WellCells); ++n)
            shown += c().Shape2[n].Visible ? 1 : 0;
        return shown;
    }
};

} // namespace blokko::test
