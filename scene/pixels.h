#pragma once
// How the scene's twips become device pixels, for every front end alike: one rounding rule for every
// rectangle, the squares of cells and panel fillers with their borders, and the pixels of pictures. A
// front end fills exactly these rectangles, in device pixels, and rounds nothing of its own.

#include <cstdint>
#include <vector>

#include "scene/scene.h"

namespace blokko::scene {

// The game is designed at 15 twips a logical pixel; a device pixel ratio takes logical pixels to device
// ones.
constexpr double TwipsPerPixel = 15;

// Whole device pixels from the top left of a window's client area.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool empty() const { return w <= 0 || h <= 0; }
    bool operator==(const PixelRect&) const = default;
};

// Twips to device pixels at `scale` device pixels a logical pixel: each edge is rounded on its own to
// the nearest device pixel (halves up), so neighbours share their edges exactly. At scale 1 this is also
// where a toolkit's controls stand, in logical pixels.
PixelRect toDevice(const Rect& twips, double scale);

// A bordered square, as a cell or a panel's filler is drawn: the border colour over the `square` less
// the `inside` (a frame `border` device pixels wide), then, when `filled`, the inside in `fill` and
// the `pattern` tile in black over it.
struct SquarePixels {
    PixelRect square;
    int border = 0;
    PixelRect inside;
    bool filled = true;
    Rgb fill = 0;
    Hatch pattern = Hatch::None; // None, or a patterned hatch (Horizontal to DiagonalCross)
};

// A cell: the square on the shorter side of its rectangle, from its top left corner. Its border of n
// logical pixels is n x scale device pixels rounded to the nearest (halves up), at most half the
// square. A solid hatch fills the inside black; a patterned one is drawn over the back colour.
SquarePixels cellPixels(const Item& cell, double scale);

// A panel: its rectangle in its back colour, then its filler cell (when shown) clipped to the panel.
struct PanelPixels {
    PixelRect panel;
    bool hasFiller = false;
    SquarePixels filler;
};
PanelPixels panelPixels(const Item& panel, double scale);

// The four strips of a square's border (top, bottom, left, right), for a square that is not filled.
std::vector<PixelRect> borderStrips(const SquarePixels& square);

// An image item's picture as filled rectangles, one per picture pixel: stretched over the item's
// rectangle, or at its natural size (15 twips a picture pixel) from the rectangle's top left. Pixel
// edges are twips rounded by toDevice's rule, so nothing is smoothed and every front end fills the same
// rectangles.
struct PicturePixel {
    PixelRect rect;
    Rgb colour = 0;
};
std::vector<PicturePixel> picturePixels(const Item& image, const Picture& picture, double scale);

} // namespace blokko::scene
