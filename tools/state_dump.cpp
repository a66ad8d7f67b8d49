#include "tools/state_dump.h"

#include <cstdio>
#include <string>

#include "engine/program/program.h"
#include "engine/rules/piece_look.h"

namespace blokko {

namespace {

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string whole(double value)
{
    return std::to_string(static_cast<long long>(value));
}

std::string flag(bool value)
{
    return value ? "1" : "0";
}

std::string timer(const Timer& t)
{
    return std::to_string(t.Interval) + "," + flag(t.Enabled);
}

template <std::size_t N>
std::string cellList(const char* keyword, const std::array<Cell, N>& cells)
{
    std::string line = keyword;
    for (std::size_t k = 1; k < N; ++k) {
        const Cell& c = cells[k];
        line += ' ';
        if (c.Visible)
            line += std::string(1, lookChar(c)) + "@" + number(c.Left) + "," + number(c.Top);
        else
            line += '.';
    }
    return line + "\n";
}

} // namespace

char lookChar(const Cell& cell)
{
    for (int q = 1; q <= 7; ++q)
        if (cell.FillStyle == pieceLook(q).FillStyle && cell.BackColor == pieceLook(q).BackColor)
            return static_cast<char>('0' + q);
    if (cell.BackColor == 0x000000FF && cell.FillStyle == 7)
        return '#';
    if (cell.BackColor == 0x00C00000 && cell.FillStyle == 1)
        return 'b';
    if (cell.BackColor == 0x0000FF00 && cell.FillStyle == 1)
        return 'g';
    return '?';
}

std::string stateDump(const Program& program)
{
    const Form1& f = program.form1;
    std::string out = "form2 visible=" + flag(program.form2.Visible) +
        " scroll=" + std::to_string(program.form2.controls.HScroll1.Value) + "\n";
    out += "difficulty " + std::to_string(program.module1.difficulty) + "\n";
    if (!f.loaded())
        return out + "form1 loaded=0\nend\n";

    const Form1Controls& c = f.controls();
    out += "form1 loaded=1 visible=" + flag(c.Visible) + " width=" + number(c.Width) + " height=" + number(c.Height) +
        " scalewidth=" + number(c.ScaleWidth()) + " scaleheight=" + number(c.ScaleHeight()) + "\n";
    out += "vars piece=" + std::to_string(f.piece) + " nextpiece=" + number(f.nextpiece) +
        " turn=" + std::to_string(f.turn) + " across=" + std::to_string(f.across) + " down=" + number(f.down) +
        " speed=" + number(f.speed) + " level=" + std::to_string(f.level) + " landed=" + flag(f.landed) +
        " blocked=" + std::to_string(f.blocked) + "\n";
    out += "counters score=" + whole(f.score.numeric()) + " rows=" + whole(f.rows.numeric()) +
        " blocks=" + whole(numericValue(f.blocks)) + " hiscore=" + whole(f.hiscore.numeric()) + "\n";
    out += "timers Timer1=" + timer(c.Timer1) + " Timer2=" + timer(c.Timer2) + " Timer3=" + timer(c.Timer3) + "\n";
    out += "labels score=" + c.scorelabel.Caption + "|hiscore=" + c.hscorelabel.Caption +
        "|rows=" + c.rowslabel.Caption + "|blocks=" + c.piecelabel.Caption + "|level=" + c.Level.Caption +
        "|levelvisible=" + flag(c.Level.Visible) + "\n";
    out += "buttons pause=" + flag(c.Pause.Visible) + " gameover=" + flag(c.Command1.Visible) +
        " gameoverleft=" + number(c.Command1.Left) + " gameovertop=" + number(c.Command1.Top) + "\n";
    out += "curtain top=" + number(c.covertop.Top) + " bottom=" + number(c.coverbottom.Top) + "\n";
    out += "well\n";
    for (int r = 0; r < WellRows; ++r) {
        for (int col = 0; col < WellColumns; ++col) {
            const Cell& wellCell = c.Shape2[static_cast<std::size_t>(wellIndex(r, col))];
            out += wellCell.Visible ? lookChar(wellCell) : '.';
        }
        out += '\n';
    }
    out += cellList("box", c.Shape1);
    out += cellList("preview", c.Shape3);
    return out + "end\n";
}

} // namespace blokko
