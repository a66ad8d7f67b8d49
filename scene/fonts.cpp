#include "scene/fonts.h"

#include <algorithm>
#include <cmath>

namespace blokko::scene {

namespace {

constexpr double PixelsPerPoint = 96.0 / 72.0;
constexpr char32_t FirstMeasured = 0x20;

const FontFace* faceOf(std::string_view drawn)
{
    for (const FontFace& f : fontFaces())
        if (drawn == f.drawn)
            return &f;
    return nullptr;
}

const FontFace* fallbackFace()
{
    static const FontFace* const face = faceOf(FallbackFamily);
    return face;
}

// The next character of UTF-8 text; a byte that starts no whole sequence stands for itself (Latin-1).
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t extra = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || at + extra >= text.size()) {
        ++at;
        return lead;
    }
    char32_t c = lead & (0x3Fu >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return lead;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    at += extra + 1;
    return c;
}

// A character's advance in font units of `face`, scaled from the fallback where the face lacks it. A
// character beyond Latin-1 counts as one em: wide enough for any script's letters.
float advance(const FontFace& face, char32_t c)
{
    if (c < FirstMeasured)
        return 0;
    if (c - FirstMeasured >= face.advances.size())
        return face.unitsPerEm;
    const std::uint16_t own = face.advances[c - FirstMeasured];
    if (own != NoGlyph)
        return own;
    const FontFace* fallback = fallbackFace();
    if (fallback && fallback != &face && fallback->advances[c - FirstMeasured] != NoGlyph)
        return fallback->advances[c - FirstMeasured] * face.unitsPerEm / fallback->unitsPerEm;
    return face.missingAdvance;
}

} // namespace

const char* drawnFamily(const char* designed)
{
    for (const FontFace& f : fontFaces())
        if (std::string_view(f.designed) == designed)
            return f.drawn;
    return designed;
}

float DrawnFont::lineHeight() const
{
    return std::ceil(ascent + descent);
}

float DrawnFont::width(std::string_view text) const
{
    if (!face)
        return 0;
    double units = 0;
    for (std::size_t at = 0; at < text.size();)
        units += advance(*face, nextCharacter(text, at));
    return static_cast<float>(units * pixels / face->unitsPerEm);
}

DrawnFont drawnFont(const Font& designed)
{
    DrawnFont font;
    font.family = drawnFamily(designed.name);
    font.fallback = FallbackFamily;
    font.pixels = std::max(1, static_cast<int>(std::lround(designed.points * PixelsPerPoint)));
    font.weight = designed.bold ? 700 : 400;
    font.italic = designed.italic;
    const FontFace* own = faceOf(font.family);
    font.face = own ? own : fallbackFace();
    if (font.face) {
        const float scale = static_cast<float>(font.pixels) / font.face->unitsPerEm;
        font.ascent = font.face->ascender * scale;
        font.descent = font.face->descender * scale;
    }
    return font;
}

} // namespace blokko::scene
