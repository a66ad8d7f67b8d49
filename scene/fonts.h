#pragma once
// The families drawn for the designed fonts: look-alikes of like width and style from Debian's font
// packages, so every front end draws the same text on every machine.

#include <cstring>

namespace blokko::scene {

struct FontFamily {
    const char* designed;
    const char* drawn;
};

// A Garamond for Garamond, metric twins for Times New Roman and MS Sans Serif, a humanist sans for
// Lucida Sans Unicode, scripts for the two handwriting fonts.
constexpr FontFamily FontFamilies[] = {
    {"Garamond", "EB Garamond"},
    {"Lucida Sans Unicode", "DejaVu Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Lucida Handwriting", "Dancing Script"},
    {"Mistral", "Kaushan Script"},
    {"MS Sans Serif", "Liberation Sans"},
};

// Drawn where a look-alike lacks a character.
constexpr const char* LastResortFamily = "DejaVu Sans";

// The family drawn for a designed family name; unknown names are kept.
inline const char* drawnFamily(const char* designed)
{
    for (const FontFamily& f : FontFamilies)
        if (std::strcmp(f.designed, designed) == 0)
            return f.drawn;
    return designed;
}

} // namespace blokko::scene
