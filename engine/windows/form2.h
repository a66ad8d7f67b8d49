#pragma once
// The difficulty window: a scroll bar over four names and the "GO!" button.

#include <array>

#include "engine/rules/controls.h"
#include "engine/rules/host.h"

namespace blokko {

enum class Difficulty : int { NotChosen = 0, Easy = 1, Medium = 2, Hard = 3, Intense = 4 };

// One picture used three times: 19 pixels from blue through cyan, green and yellow to red (RGB order).
constexpr std::array<std::uint32_t, 19> GradientStrip = {
    0x0101FE,
    0x0141FE,
    0x0180FE,
    0x01BFFE,
    0x01FEFE,
    0x01FEBF,
    0x01FE80,
    0x01FE41,
    0x01FE01,
    0x41FE01,
    0x80FE01,
    0xBFFE01,
    0xFEFE01,
    0xFEBF01,
    0xFE8001,
    0xFE4101,
    0xFE0101,
    0xFF0006,
    0xFF0040,
};

struct Form2Controls {
    Form2Controls(); // the designed window

    // Inner size of the window, its colours and caption.
    float ScaleWidth = 0;
    float ScaleHeight = 0;
    Colour BackColor = 0;
    Colour ForeColor = 0;
    const char* Caption = "";

    HScrollBar HScroll1;
    Button Command1;
    std::array<Image, 2> Image1;
    Label Label5;
    Label Label4;
    Label Label3;
    Label Label2;
    Label Label1;

    // Marks a control changed, for whoever draws the window.
    template <typename C>
    C& edit(C& control)
    {
        return changes.edit(control);
    }
    ChangeClock changes;
};

class Form2 {
public:
    explicit Form2(Host& host) : host_(host) { }
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    // The window is loaded for the whole program run; only its visibility changes.
    bool Visible = false;
    Form2Controls controls;

    // "GO!": store the choice, hide this window, show the game window.
    void Command1_Click();

private:
    Host& host_;
};

} // namespace blokko
