// The difficulty window as designed, and its "GO!" button.

#include "engine/windows/form2.h"

#include "engine/windows/design.h"

#include <initializer_list>

namespace blokko {

namespace {

constexpr Colour Orange = 0x000080FF;
constexpr Font LabelFont{"MS Sans Serif", 18, true, false};

Label difficultyLabel(const char* caption, Colour colour, float left, float top, float width, float height)
{
    Label label;
    place(label, left, top, width, height);
    label.Caption = caption;
    label.ForeColor = colour;
    label.font = LabelFont;
    return label;
}

} // namespace

Form2Controls::Form2Controls()
{
    ScaleWidth = 5790;
    ScaleHeight = 3375;
    BackColor = Orange;
    ForeColor = Orange;
    Caption = "Form2";

    place(HScroll1, -240, 960, 6015, 255);
    HScroll1.Min = 1;
    HScroll1.Max = 4;
    HScroll1.Value = 1;

    place(Command1, 720, 1200, 4575, 2175);
    Command1.Caption = "GO!";
    Command1.font = {"Mistral", 72, true, false};

    place(Image1[1], 0, 2400, 5775, 960);
    Label5 = difficultyLabel("Intense", 0x000000C0, 4320, 480, 1290, 435);
    Label4 = difficultyLabel("Hard", 0x0000FFFF, 3240, 480, 855, 435);
    Label3 = difficultyLabel("Medium", 0x0000C000, 1560, 480, 1410, 435);
    Label2 = difficultyLabel("Easy", 0x00FF0000, 360, 480, 855, 435);
    Label1 = difficultyLabel("                 Difficulty Level:                  Easy   Medium   Hard  Intense",
        0x00000000, 0, 0, 5895, 855);
    Label1.wordWrap = true;
    place(Image1[0], 0, 0, 5775, 2400);

    // The labels lie over both images, so the gradient shows behind their text; among the rest, the
    // first control of the design is the frontmost of its layer.
    std::uint32_t z = 0;
    for (Control* graphical :
        std::initializer_list<Control*>{&Image1[0], &Image1[1], &Label1, &Label2, &Label3, &Label4, &Label5})
        graphical->z = ++z;
    z = 0;
    for (Control* windowed : std::initializer_list<Control*>{&Command1, &HScroll1})
        windowed->z = ++z;
}

void Form2::Command1_Click()
{
    host_.setDifficulty(static_cast<std::int16_t>(controls.HScroll1.Value));
    host_.hideForm2();
    host_.showForm1();
}

} // namespace blokko
