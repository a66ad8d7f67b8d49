#pragma once
// What each window shows, for any front end: the items to draw, back to front, each with its place in
// twips, colours, fill and border, text and font, and what changed since the last frame. Items are
// plain values copied out of the engine's controls, so a front end never reads the controls themselves.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/rules/controls.h"
#include "scene/caption_lines.h"
#include "scene/colours.h"
#include "scene/fonts.h"

namespace blokko::scene {

// A rectangle in twips, from the top left of the window's client area.
struct Rect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    bool operator==(const Rect&) const = default;
};

// Cells, labels and images are drawn by the front end on the window's own surface, in one drawing
// order. Panels, buttons and the scroll bar are controls of their own that always lie above them, in a
// second drawing order.
enum class Kind : std::uint8_t { Cell, Label, Image, Panel, Button, ScrollBar };

constexpr bool isGraphical(Kind kind)
{
    return kind == Kind::Cell || kind == Kind::Label || kind == Kind::Image;
}

struct Item {
    Kind kind = Kind::Cell;
    std::uint16_t id = 0; // which control: see form1_ids.h and form2_ids.h
    std::uint32_t z = 0; // within its drawing order, larger is nearer the front
    Rect rect;
    bool visible = false;
    bool enabled = true;

    // Cells and panels: BackColor, border and hatch. A cell that is not opaque draws its border only.
    // Labels: `opaque` fills the background with `back`. Every colour is resolved (see colours.h).
    Rgb back = 0;
    Rgb border = 0;
    int borderWidth = 0; // in logical pixels
    Hatch hatch = Hatch::None;
    bool opaque = true;

    // Panels: the filler cell they hold, placed relative to the panel, drawn in `innerBack` with the
    // panel's `border`.
    Rect inner;
    bool innerVisible = false;
    Rgb innerBack = 0;

    // Labels and buttons.
    std::string text;
    Rgb fore = WindowTextRgb;
    Font font;
    bool wordWrap = false;
    // How the text is drawn: the font as every front end draws it, and the caption's lines, each placed
    // in logical pixels from the item's top left. A front end draws these lines and breaks none itself.
    DrawnFont drawnFont;
    std::vector<TextLine> lines;

    // The scroll bar; its `text` is the name of the chosen position, the caption of the label over it.
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    // How far a click on an arrow (small) and a click in the track (large) move the value.
    int smallChange = 0;
    int largeChange = 0;

    // Images: stretched over the rectangle, or drawn at their natural size at its top left.
    bool stretch = true;

    bool operator==(const Item& other) const;
};

// A FillStyle code as a hatch; codes outside 0 to 7 draw no pattern.
Hatch hatchOf(int fillStyle);

// The picture image items show: resolved pixels, row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

struct Window {
    const char* caption = "";
    float width = 0; // client area, in twips
    float height = 0;
    Rgb back = 0;
    bool shown = false;

    // Counts the loads of the window; 0 while it is not loaded. A new value means every item is new.
    std::uint64_t load = 0;

    // Back to front: the graphical items, then the windowed ones.
    std::vector<Item> items;

    // What the window's image items show (empty for a window without images).
    Picture picture;

    // What the latest update changed. After a new load (`allChanged`) every item is new and the lists
    // are empty. Else `changedIds` has each item that changed, once; `changed` where each changed
    // graphical item (drawn on the window's own surface) was drawn and where it is drawn now;
    // `changedWindowed` the same for the panels, buttons and the scroll bar; `movedIds` each item that
    // took another place in `items` (an item brought to the front moves those it passes one place
    // back); `windowedChanged` that a panel, button or scroll bar changed. An item that only moved
    // needs no repainting: the one whose order changed is in `changedIds`, with its areas.
    std::vector<std::uint16_t> changedIds;
    std::vector<Rect> changed;
    std::vector<Rect> changedWindowed;
    std::vector<std::uint16_t> movedIds;
    bool allChanged = false;
    bool windowedChanged = false;

    // Some item took another place in `items`, or every item is new.
    bool restacked() const { return allChanged || !movedIds.empty(); }

    // The item of a control, or null when the window has none (not loaded).
    const Item* find(std::uint16_t id) const;

    // Where each id stands in `items`.
    std::vector<std::uint16_t> slot;
};

// The game window's three timers, as the front end must run them. A front end (re)starts or stops its
// timer whenever `generation` changes: the scene moves it on at a new load (a new load is a new set of
// timers) and at a new interval or enabled state.
struct TimerState {
    int interval = 0;
    bool enabled = false;
    std::uint64_t generation = 0;

    bool ticking() const { return enabled && interval > 0; }
    bool operator==(const TimerState&) const = default;
};

} // namespace blokko::scene
