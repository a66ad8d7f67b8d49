#include "desktop/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QStringList>
#include <filesystem>
#include <set>
#include <string>

#include "scene/fonts.h"

namespace blokko::view {

namespace {

// Fontconfig sees the folders of the look-alikes' files only (scene/fonts.txt), with the caches their
// installation built.
std::string lookAlikeConfiguration()
{
    std::set<std::string> folders;
    for (const scene::FontFace& f : scene::fontFaces())
        folders.insert(std::filesystem::path(f.file).parent_path().string());
    std::string xml =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n";
    for (const std::string& folder : folders)
        xml += "  <dir>" + folder + "</dir>\n";
    xml += "  <cachedir>/var/cache/fontconfig</cachedir>\n  <cachedir "
           "prefix=\"xdg\">fontconfig</cachedir>\n</fontconfig>\n";
    return xml;
}

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
    const std::string configuration = lookAlikeConfiguration();
    bool complete =
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(configuration.c_str()), FcFalse) &&
        FcConfigBuildFonts(config) && hasFamily(config, scene::FallbackFamily);
    for (const scene::FontFace& f : scene::fontFaces())
        complete = complete && hasFamily(config, f.drawn);
    if (complete)
        FcConfigSetCurrent(config); // takes its own reference
    FcConfigDestroy(config);
    return complete;
}

QFont fontFor(const scene::DrawnFont& font)
{
    QFont result;
    result.setFamilies({QString::fromUtf8(font.family), QString::fromUtf8(font.fallback)});
    result.setPixelSize(font.pixels);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    result.setItalic(font.italic);
    return result;
}

QFont fontFor(const Font& font)
{
    return fontFor(scene::drawnFont(font));
}

} // namespace blokko::view
