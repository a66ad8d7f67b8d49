#pragma once
// The controls of the two windows as plain data: what the game reads and writes, and what the
// presentation draws. Positions and sizes are in twips from the top left of the window's inner area.

#include <cstdint>
#include <string>

namespace blokko {

// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour RGB(int r, int g, int b)
{
    return static_cast<Colour>(r + 256 * g + 65536 * b);
}

// The system's window-text colour: not an RGB value but a reference to a system colour.
constexpr Colour SystemWindowText = 0x80000008u;

// Hatch pattern of a cell, drawn in black over its BackColor.
enum class Hatch : int {
    Solid = 0,
    None = 1,
    Horizontal = 2,
    Vertical = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

struct Font {
    const char* name = "MS Sans Serif";
    float points = 8.25f;
    bool bold = false;
    bool italic = false;
};

// Every visible control has a rectangle and a place in the drawing order. Graphical controls (cells,
// labels, images) share one drawing order; windowed controls (buttons, panels, scroll bars) another one
// that always lies above it. A larger `z` is nearer the front. `revision` is the window's change count
// at the control's last change (see ChangeClock), so a front end redraws only what changed.
struct Control {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    std::uint32_t z = 0;
    std::uint64_t revision = 0;
};

// A square shape: a well, box or preview cell, or a frame such as the preview's backdrop.
struct Cell : Control {
    bool Visible = false;
    Colour BackColor = 0x00FFFFFF;
    int FillStyle = static_cast<int>(Hatch::None);
    Colour BorderColor = 0x00000000;
    int BorderWidth = 1;
    bool opaque = true; // false: only the border is drawn
};

struct Label : Control {
    std::string Caption;
    Font font;
    Colour ForeColor = SystemWindowText;
    Colour BackColor = 0x00FFFFFF;
    bool transparent = true;
    bool Visible = true;
    bool wordWrap = false;
};

struct Image : Control {
    bool stretch = true;
};

struct Button : Control {
    const char* Caption = "";
    Font font;
    bool Visible = true;
};

// A panel: a container whose child controls are placed relative to it.
struct Panel : Control {
    const char* Caption = "";
    Colour BackColor = 0x00000000;
    Colour ForeColor = SystemWindowText;
    bool Visible = true;
};

struct HScrollBar : Control {
    int Min = 0;
    int Max = 32767;
    int Value = 0;
    // How far a click on an arrow (small) and a click in the track (large) move the value.
    int SmallChange = 1;
    int LargeChange = 1;
};

// A timer ticks only while it is enabled and its interval is above 0.
struct Timer {
    int Interval = 0;
    bool Enabled = true;

    bool ticking() const { return Enabled && Interval > 0; }
};

// Counts the changes made to one window's controls. Every write that a front end must see goes
// through `edit`, which stamps the control with the new count; whoever draws the window remembers the
// count it last drew and redraws the controls stamped after it.
class ChangeClock {
public:
    template <typename C>
    C& edit(C& control)
    {
        control.revision = ++now_;
        return control;
    }

    std::uint64_t now() const { return now_; }

private:
    std::uint64_t now_ = 0;
};

} // namespace blokko
