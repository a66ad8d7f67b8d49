#pragma once
// Where a caption breaks and where each of its lines stands, decided once for every front end from the
// drawn font's metrics. Captions break at spaces, greedily, as a word-wrapping label does; a word wider
// than the box stays whole on its line rather than being cut.

#include <string>
#include <string_view>
#include <vector>

#include "scene/fonts.h"

namespace blokko::scene {

// One line of a caption, in logical pixels from the top left of its item's rectangle.
struct TextLine {
    std::string text; // without the spaces that end it or the break before it
    float left = 0;
    float baseline = 0;
    float width = 0;

    bool operator==(const TextLine&) const = default;
};

// Labels: lines from the top left. Buttons: each line centred, the block of lines centred between the
// button's margins.
enum class CaptionPlacement { Label, Button };

// Between a button's edge and its caption, in logical pixels.
constexpr float ButtonMargin = 3;

// The lines of `caption` in a box of `width` by `height` logical pixels.
std::vector<TextLine> captionLines(
    std::string_view caption, const DrawnFont& font, float width, float height, CaptionPlacement placement);

} // namespace blokko::scene
