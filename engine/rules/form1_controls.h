#pragma once
// The controls of one load of the game window, as designed: built by each load, destroyed by each
// unload. Cell arrays keep element 0 as the template of the others.

#include <array>
#include <cstdint>
#include <utility>

#include "engine/rules/controls.h"
#include "engine/rules/well.h"

namespace blokko {

enum class TimerId { Timer1, Timer2, Timer3 };

struct Form1Controls {
    Form1Controls(); // the designed window

    // The window itself: outer size (frame and title bar included), whether it is shown, its look.
    float Width = 0;
    float Height = 0;
    bool Visible = false;
    const char* Caption = "";
    Colour BackColor = 0;

    Button Pause;
    Panel coverbottom;
    Cell cob; // inside coverbottom
    Panel covertop;
    Cell cot; // inside covertop
    Timer Timer3;
    Timer Timer2;
    Timer Timer1;
    Button Command1;
    Label Level;
    Label piecelabel;
    Label rowslabel;
    Label hscorelabel;
    Label scorelabel;
    Cell backdrop;
    Label npiece;
    std::array<Cell, BoxCells + 1> Shape3;
    std::array<Cell, WellCells + 1> Shape2;
    std::array<Cell, BoxCells + 1> Shape1;

    const Timer& timer(TimerId id) const;
    Timer& timer(TimerId id) { return const_cast<Timer&>(std::as_const(*this).timer(id)); }

    // Inner size of the window: the outer size less the frame.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // Marks a control changed, for whoever draws the window; returns it for the change.
    template <typename C>
    C& edit(C& control)
    {
        return changes.edit(control);
    }
    void bringToFront(Control& graphical) { edit(graphical).z = ++graphicalFront; }
    void bringWindowedToFront(Control& windowed) { edit(windowed).z = ++windowedFront; }
    // A new element of a cell array: a hidden copy of element 0, in front of what exists.
    void create(Cell& element, const Cell& templ);

    ChangeClock changes;
    std::uint32_t graphicalFront = 0;
    std::uint32_t windowedFront = 0;
};

// The frame and title bar of the game window, in twips: the inner area is the outer size less these.
// Chosen so the inner area is whole pixels at 15 twips a pixel and holds the whole well and side panel.
constexpr float Form1FrameWidth = 124;
constexpr float Form1FrameHeight = 394;

} // namespace blokko
