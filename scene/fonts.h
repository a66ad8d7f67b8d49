#pragma once
// The fonts the windows are drawn in. Each designed font is drawn as a look-alike from Debian's font
// packages (the one list is scene/fonts.txt), at whole logical pixels, so every front end draws the same
// text on every machine; the faces' metrics, generated from the font files, let the scene decide where
// captions break and where each line stands.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/rules/controls.h"

namespace blokko::scene {

// One face of a look-alike, measured from its file at build time (tools/font_table.py).
struct FontFace {
    const char* designed; // the font name of the design
    const char* drawn; // the family drawn for it
    const char* file;
    const char* package; // the Debian package holding the file
    int weight;
    bool italic;
    float unitsPerEm;
    float ascender; // above the baseline, in font units
    float descender; // below the baseline, positive
    std::uint16_t missingAdvance; // of the glyph drawn for a character the font lacks
    // Advance widths of U+0020 to U+00FF in font units; NoGlyph where the face has none.
    std::array<std::uint16_t, 0xE0> advances;
};
constexpr std::uint16_t NoGlyph = 0xFFFF;

// The look-alikes, in the order of scene/fonts.txt.
std::span<const FontFace> fontFaces();

// Drawn where a look-alike lacks a character; one of the drawn families.
extern const char* const FallbackFamily;

// The family drawn for a designed family name; unknown names are kept.
const char* drawnFamily(const char* designed);

// A font as every front end draws it: points at 96 dots per inch as whole logical pixels, the look-alike
// family first and the fallback after it.
struct DrawnFont {
    const char* family = "";
    const char* fallback = "";
    int pixels = 0;
    int weight = 400;
    bool italic = false;
    float ascent = 0; // logical pixels above the baseline
    float descent = 0; // below it
    const FontFace* face = nullptr; // measures the text; the fallback's face for an unknown family

    // Lines of a caption stand this far apart: the ascent and descent, rounded up to whole pixels.
    float lineHeight() const;
    // The width of a run of text (UTF-8) in logical pixels.
    float width(std::string_view text) const;

    bool operator==(const DrawnFont& o) const
    {
        return std::string_view(family) == o.family && std::string_view(fallback) == o.fallback && pixels == o.pixels &&
            weight == o.weight && italic == o.italic;
    }
};

DrawnFont drawnFont(const Font& designed);

} // namespace blokko::scene
