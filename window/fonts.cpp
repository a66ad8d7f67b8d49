#include "window/fonts.h"

#include <QStringList>
#include <cmath>
#include <cstring>

namespace blokko::view {

namespace {

struct Substitute {
    const char* designed;
    const char* drawn;
};

// Look-alikes of like width and style: a Garamond for Garamond, metric twins for Times New Roman and
// MS Sans Serif, a humanist sans for Lucida Sans Unicode, scripts for the two handwriting fonts.
constexpr Substitute Substitutes[] = {
    {"Garamond", "EB Garamond"},
    {"Lucida Sans Unicode", "DejaVu Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Lucida Handwriting", "Dancing Script"},
    {"Mistral", "Kaushan Script"},
    {"MS Sans Serif", "Liberation Sans"},
};

constexpr const char* LastResort = "DejaVu Sans";
constexpr double PixelsPerPoint = 96.0 / 72.0;

} // namespace

QString substituteFamily(const char* designedName)
{
    for (const Substitute& s : Substitutes)
        if (std::strcmp(s.designed, designedName) == 0)
            return QString::fromLatin1(s.drawn);
    return QString::fromUtf8(designedName);
}

QFont fontFor(const Font& font)
{
    QFont result;
    result.setFamilies({substituteFamily(font.name), QString::fromLatin1(LastResort)});
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * PixelsPerPoint))));
    result.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    result.setItalic(font.italic);
    return result;
}

} // namespace blokko::view
