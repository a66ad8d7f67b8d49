#pragma once
// A window's repaint as the canvas calls the page makes, in the page's device pixels. The page runs
// them as they come, in one loop, and keeps no items of its own to draw from: a frame of play costs it
// only the calls that draw what changed.
//
// A window is drawn on canvas layers between the page's own controls (its buttons and scroll bar): the
// items behind the first shown control go on layer 0, those between it and the next on layer 1, and so
// on. Layer 0 is opaque; the others are transparent and mostly empty.

#include <cstdint>
#include <vector>

#include "scene/pixels.h"
#include "scene/scene.h"
#include "web/frame_codes.h"
#include "web/frame_texts.h"

namespace blokko::web {

// The buttons and the scroll bar are the page's own controls; every other item is drawn on a layer.
constexpr bool isControl(scene::Kind kind)
{
    return kind == scene::Kind::Button || kind == scene::Kind::ScrollBar;
}

class PaintWriter {
public:
    // The window built afresh: every layer drawn whole.
    void whole(const scene::Window& w, double scale, FrameTexts& texts, std::vector<double>& out);
    // What the changed areas (twips, as the scene reported them) touch, on every layer that has or had
    // something there.
    void changed(const scene::Window& w, const std::vector<scene::Rect>& areas, double scale, FrameTexts& texts,
        std::vector<double>& out);

    // The layer each item is drawn on, by its place in the window's items; a control's is the layer
    // behind it.
    static std::vector<int> layersOf(const scene::Window& w);
    // The window's layers: one more than its shown controls.
    static int layerCount(const scene::Window& w);

private:
    class Calls;
    void place(const scene::Window& w, double scale);
    void area(Calls& calls, const scene::PixelRect& area, bool whole);
    bool cellsApart(const scene::Window& w, const std::vector<std::size_t>& items) const;
    void inkedAt(std::size_t layer, const scene::PixelRect& drawn);

    // For each layer in front, the rectangles that may hold its ink: a layer with nothing to draw in an
    // area and no ink there is left alone, so it is not sent to the compositor again.
    std::vector<std::vector<scene::PixelRect>> inked_;
    // Per frame: each item's layer and device pixels.
    std::vector<int> layerOf_;
    std::vector<scene::PixelRect> device_;
};

} // namespace blokko::web
