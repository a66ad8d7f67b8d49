#pragma once
// The codes of a frame as the page reads them: item kinds, item flags and canvas calls. This is their one
// source: tools/frame_codes.py writes them for the page's script at build time (page/frame_codes.js), so
// every enum here is `enum class Name : int` with each value written out.

namespace blokko::web {

// What a label or control of the frame is.
enum class ItemKind : int { Cell = 1, Label = 2, Panel = 3, Image = 4, Button = 5, ScrollBar = 6 };

// An item's flags, or-ed together.
enum class ItemFlag : int { Visible = 1, Enabled = 2, Italic = 4 };

// A canvas call: its code, then its numbers.
enum class Call : int {
    Layer = 1, // n: the calls that follow draw on layer n
    FillLayer = 2, // rgb: the whole layer in one colour
    ClearLayer = 3, // the whole layer transparent
    Clip = 4, // x y w h: saves the drawing state, then draws only inside the rectangle
    Restore = 5, // the drawing state as the last Clip saved it
    Fill = 6, // rgb x y w h
    Clear = 7, // x y w h: transparent
    // rgb style x y w h: the rectangle in the colour with the hatch's tile in black over it, the tile
    // repeating from the canvas's corner
    Hatch = 8,
    Font = 9, // italic weight size family fallback: the font of the texts that follow; size in device pixels
    Text = 10, // rgb text x y: a line of text with its baseline at y
};

} // namespace blokko::web
