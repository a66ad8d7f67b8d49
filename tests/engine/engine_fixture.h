#pragma once
// A program with a scripted random source, brought to the state a test needs, and the well drawn and
// read back as rows of text: '.' an empty cell, '1' to '7' a block of that piece colour, '#' the well's
// own look (the wall's red with a diagonal cross).

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/program/program.h"
#include "tools/state_dump.h"
#include "tools/trace_script.h"

namespace blokko::test {

// The random value that makes Int(R * 7) + 1 choose `piece` (1 to 7).
inline float randomFor(int piece)
{
    return (static_cast<float>(piece) - 0.5f) / 7.0f;
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

class EngineTest : public ::testing::Test {
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
        queue({randomFor(first), randomFor(next)});
        loadAt(difficulty);
        runParade();
    }

    void tickPlay(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            program.tick(TimerId::Timer1);
    }

    Cell& wellCell(int wellRow, int wellColumn)
    {
        return c().Shape2[static_cast<std::size_t>(12 * wellRow + wellColumn + 1)];
    }

    // Draws playing rows `first`, `first` + 1, ... (columns 1 to 10, ten characters a row).
    void drawRows(int first, const std::vector<std::string>& rows)
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(rows[i].size(), 10u) << "row " << i;
            for (int column = 1; column <= 10; ++column) {
                Cell& target = wellCell(first + static_cast<int>(i), column);
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
        for (int r = first; r <= last; ++r) {
            std::string line;
            for (int column = 1; column <= 10; ++column) {
                const Cell& cell = wellCell(r, column);
                line += cell.Visible ? lookChar(cell) : '.';
            }
            text.push_back(line);
        }
        return text;
    }

    std::vector<std::string> bottomText(int count) { return rowsText(21 - count, 20); }

    // A whole well row, wall columns included.
    std::string wellRowText(int r)
    {
        std::string line;
        for (int column = 0; column <= 11; ++column) {
            const Cell& cell = wellCell(r, column);
            line += cell.Visible ? lookChar(cell) : '.';
        }
        return line;
    }

    // The 16 box cells in cell-number order: '.' hidden, else the look character.
    std::string boxText()
    {
        std::string text;
        for (std::size_t k = 1; k <= 16; ++k)
            text += c().Shape1[k].Visible ? lookChar(c().Shape1[k]) : '.';
        return text;
    }

    std::string previewText()
    {
        std::string text;
        for (std::size_t k = 1; k <= 16; ++k)
            text += c().Shape3[k].Visible ? lookChar(c().Shape3[k]) : '.';
        return text;
    }

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

// The empty playing area between the walls, as rowsText gives it.
inline std::vector<std::string> emptyRows(int count)
{
    return std::vector<std::string>(static_cast<std::size_t>(count), "..........");
}

} // namespace blokko::test
