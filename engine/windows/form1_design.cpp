// The game window as designed: every control where it stands, how it looks and how it starts.

#include <initializer_list>

#include "engine/rules/form1_controls.h"
#include "engine/windows/design.h"

namespace blokko {

namespace {

constexpr float DesignedScaleWidth = 5850;
constexpr float DesignedScaleHeight = 5925;

constexpr Colour Black = 0x00000000;
constexpr Colour Yellow = 0x0000FFFF;
constexpr Colour Red = 0x000000FF;
constexpr Colour Green = 0x0000FF00;
constexpr Colour Blue = 0x00FF0000;
constexpr Colour DarkBlue = 0x00C00000;
constexpr int CellBorderWidth = 4;

constexpr Font CounterFont{"Times New Roman", 15.75f, true, false};

Cell designedCell(Colour back, Colour border, Hatch hatch)
{
    Cell cell;
    cell.BackColor = back;
    cell.BorderColor = border;
    cell.BorderWidth = CellBorderWidth;
    cell.FillStyle = static_cast<int>(hatch);
    return cell;
}

Panel curtainHalf(float top, float height)
{
    Panel panel;
    place(panel, 2880, top, 615, height);
    panel.Caption = " ";
    panel.BackColor = Black;
    panel.ForeColor = SystemWindowText;
    return panel;
}

// The black filler inside a curtain half, at the panel's top left.
Cell curtainFiller()
{
    Cell filler = designedCell(Black, SystemWindowText, Hatch::None);
    place(filler, 0, 0, 495, 495);
    filler.Visible = true;
    return filler;
}

Label counterLabel(const char* caption, float left, float top, float width)
{
    Label label;
    place(label, left, top, width, 360);
    label.Caption = caption;
    label.font = CounterFont;
    return label;
}

} // namespace

Form1Controls::Form1Controls()
{
    Width = DesignedScaleWidth + Form1FrameWidth;
    Height = DesignedScaleHeight + Form1FrameHeight;
    Caption = "Blokko";
    BackColor = Yellow;

    place(Pause, 1560, 240, 3015, 1935);
    Pause.Caption = "Pause";
    Pause.font = {"Garamond", 48, true, false};
    Pause.Visible = false;

    coverbottom = curtainHalf(2520, 615);
    cob = curtainFiller();
    covertop = curtainHalf(960, 735);
    cot = curtainFiller();

    Timer3 = {200, true};
    Timer2 = {5, true};
    Timer1 = {0, true};

    place(Command1, 0, 2400, 2655, 2175);
    Command1.Caption = "Game Over";
    Command1.font = {"Lucida Sans Unicode", 36, true, true};
    Command1.Visible = false;

    Level = counterLabel("Level 0", 4080, 5520, 990);
    piecelabel = counterLabel("Blocks:0000", 3600, 4920, 1665);
    rowslabel = counterLabel("Rows:000", 3720, 4320, 1335);
    hscorelabel = counterLabel("HiScore:000000", 3600, 3720, 2175);
    scorelabel = counterLabel("Score:000000", 3720, 3120, 1860);

    backdrop = designedCell(0x00FFFFFF, Blue, Hatch::None);
    place(backdrop, 3600, 1440, 1575, 1575);
    backdrop.opaque = false;
    backdrop.Visible = true;

    place(npiece, 3600, 120, 1575, 1215);
    npiece.Caption = "Next Piece:";
    npiece.font = {"Lucida Handwriting", 20.25f, true, true};
    npiece.BackColor = Red;
    npiece.transparent = false;

    Shape3[0] = designedCell(Green, Blue, Hatch::None);
    place(Shape3[0], 720, 1440, 495, 495);
    Shape2[0] = designedCell(Red, Blue, Hatch::DiagonalCross);
    place(Shape2[0], 1560, 600, 495, 495);
    Shape1[0] = designedCell(DarkBlue, Blue, Hatch::None);
    place(Shape1[0], 360, 600, 495, 495);

    // The designed drawing order: the first control of the design is the frontmost of its layer.
    for (Control* graphical : std::initializer_list<Control*>{&Shape1[0], &Shape2[0], &Shape3[0], &npiece, &backdrop,
             &scorelabel, &hscorelabel, &rowslabel, &piecelabel, &Level})
        bringToFront(*graphical);
    for (Control* windowed : std::initializer_list<Control*>{&Command1, &covertop, &coverbottom, &Pause})
        windowed->z = ++windowedFront;
}

const Timer& Form1Controls::timer(TimerId id) const
{
    switch (id) {
    case TimerId::Timer1:
        return Timer1;
    case TimerId::Timer2:
        return Timer2;
    case TimerId::Timer3:
        break;
    }
    return Timer3;
}

float Form1Controls::ScaleWidth() const
{
    return Width - Form1FrameWidth;
}

float Form1Controls::ScaleHeight() const
{
    return Height - Form1FrameHeight;
}

void Form1Controls::create(Cell& element, const Cell& templ)
{
    element = templ;
    element.Visible = false;
    bringToFront(element);
}

} // namespace blokko
