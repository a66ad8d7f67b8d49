#include "scene/scene_check.h"

#include <cstring>

#include "scene/form1_ids.h"
#include "scene/form2_ids.h"

namespace blokko::scene {

namespace {

std::string text(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
        std::to_string(r.height);
}

// The fields of two items of one control that differ, with the values where they say much.
std::string fieldsDiffering(const Item& kept, const Item& fresh)
{
    std::string fields;
    const auto add = [&](bool differs, const std::string& what) {
        if (differs)
            fields += (fields.empty() ? "" : ", ") + what;
    };
    add(kept.kind != fresh.kind, "kind");
    add(kept.z != fresh.z, "z " + std::to_string(kept.z) + " where the engine has " + std::to_string(fresh.z));
    add(!(kept.rect == fresh.rect), "place " + text(kept.rect) + " where the engine has " + text(fresh.rect));
    add(kept.visible != fresh.visible,
        kept.visible ? "shown where the engine hides it" : "hidden where the engine shows it");
    add(kept.text != fresh.text, "text \"" + kept.text + "\" where the engine has \"" + fresh.text + "\"");
    add(kept.back != fresh.back || kept.fore != fresh.fore || kept.border != fresh.border ||
            kept.hatch != fresh.hatch || kept.innerBack != fresh.innerBack,
        "colours or hatch");
    add(kept.value != fresh.value || kept.minimum != fresh.minimum || kept.maximum != fresh.maximum ||
            kept.smallChange != fresh.smallChange || kept.largeChange != fresh.largeChange,
        "value, range or steps");
    if (fields.empty())
        fields = "other fields";
    return fields;
}

} // namespace

std::string controlName(const char* window, std::uint16_t id)
{
    const auto indexed = [](const char* array, int index) {
        return std::string(array) + "(" + std::to_string(index) + ")";
    };
    if (std::strcmp(window, "game window") == 0) {
        using namespace form1;
        if (id < Well)
            return indexed("Shape1", id - Box + 1);
        if (id < Preview)
            return indexed("Shape2", id - Well + 1);
        if (id < Backdrop)
            return indexed("Shape3", id - Preview + 1);
        constexpr const char* named[] = {"backdrop", "npiece", "scorelabel", "hscorelabel", "rowslabel", "piecelabel",
            "Level", "Pause", "Command1", "covertop", "coverbottom"};
        return id - Backdrop < static_cast<int>(std::size(named)) ? named[id - Backdrop] : "?";
    }
    constexpr const char* named[] = {
        "Picture", "Image1(0)", "Image1(1)", "Label1", "Label2", "Label3", "Label4", "Label5", "Command1", "HScroll1"};
    return id < std::size(named) ? named[id] : "?";
}

std::string itemDifference(const char* window, const Item& kept, const Item& fresh)
{
    return std::string(window) + ": item " + controlName(window, fresh.id) + " (id " + std::to_string(fresh.id) +
        "): " + fieldsDiffering(kept, fresh);
}

std::string headerDifference(const char* window, const Window& kept, const Window& fresh)
{
    const std::string name(window);
    if (std::strcmp(kept.caption, fresh.caption) != 0 || kept.width != fresh.width || kept.height != fresh.height ||
        kept.back != fresh.back)
        return name + ": caption, size or colour";
    if (kept.shown != fresh.shown)
        return name + (kept.shown ? ": shown where the engine hides it" : ": hidden where the engine shows it");
    if (kept.load != fresh.load)
        return name + ": load " + std::to_string(kept.load) + " where the engine has " + std::to_string(fresh.load);
    return {};
}

} // namespace blokko::scene
