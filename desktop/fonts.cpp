#include "desktop/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QStringList>
#include <cmath>
#include <cstring>

#include "scene/fonts.h"

namespace blokko::view {

namespace {

constexpr const char* LastResort = scene::LastResortFamily;
constexpr double PixelsPerPoint = 96.0 / 72.0;

// The folders of Debian's packages that hold the look-alikes, and the caches their installation built.
constexpr const char* LookAlikeConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/opentype/ebgaramond</dir>
  <dir>/usr/share/fonts/opentype/dancingscript</dir>
  <dir>/usr/share/fonts/opentype/kaushanscript</dir>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
</fontconfig>
)";

bool hasFamily(FcConfig* config, const char* family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* properties = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, properties);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(properties);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

QString substituteFamily(const char* designedName)
{
    return QString::fromUtf8(scene::drawnFamily(designedName));
}

bool useLookAlikeFontsOnly()
{
    FcConfig* config = FcConfigCreate();
    if (!config)
        return false;
    bool complete =
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(LookAlikeConfiguration), FcFalse) &&
        FcConfigBuildFonts(config) && hasFamily(config, LastResort);
    for (const scene::FontFamily& f : scene::FontFamilies)
        complete = complete && hasFamily(config, f.drawn);
    if (complete)
        FcConfigSetCurrent(config); // takes its own reference
    FcConfigDestroy(config);
    return complete;
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
