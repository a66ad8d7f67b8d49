#include "web/frame_writer.h"

#include <algorithm>

#include "scene/hatch.h"
#include "scene/pixels.h"

namespace blokko::web {

namespace {

double kindCode(scene::Kind kind)
{
    switch (kind) {
    case scene::Kind::Cell:
        return static_cast<int>(ItemKind::Cell);
    case scene::Kind::Label:
        return static_cast<int>(ItemKind::Label);
    case scene::Kind::Panel:
        return static_cast<int>(ItemKind::Panel);
    case scene::Kind::Image:
        return static_cast<int>(ItemKind::Image);
    case scene::Kind::Button:
        return static_cast<int>(ItemKind::Button);
    case scene::Kind::ScrollBar:
        return static_cast<int>(ItemKind::ScrollBar);
    }
    return 0;
}

int flag(bool set, ItemFlag flag)
{
    return set ? static_cast<int>(flag) : 0;
}

// The items the page keeps as elements of its own: its controls, and the labels' texts, which it gives
// to screen readers.
bool isPageElement(scene::Kind kind)
{
    return kind == scene::Kind::Label || isControl(kind);
}

} // namespace

void FrameWriter::update()
{
    scene_.update();
    take(scene_.form2(), pending_[0]);
    take(scene_.form1(), pending_[1]);
}

// The page draws panels on its canvas, as it draws cells and labels: a panel that changed needs only
// the places where it was and where it is now drawn again (the curtain slides five times a second).
// Buttons and the scroll bar are controls of the page's own, between canvas layers: a change to one, or
// a windowed item taking another place in the drawing order, needs the window built afresh.
void FrameWriter::take(const scene::Window& w, Pending& p)
{
    if (w.allChanged)
        p.whole = true;
    for (std::uint16_t id : w.changedIds) {
        const scene::Kind kind = w.items[w.slot[id]].kind;
        if (isControl(kind))
            p.whole = true;
        else if (kind == scene::Kind::Label)
            p.controls = true;
    }
    for (std::uint16_t id : w.movedIds)
        if (!scene::isGraphical(w.items[w.slot[id]].kind))
            p.whole = true;
    if (!p.whole) {
        p.changed.insert(p.changed.end(), w.changed.begin(), w.changed.end());
        p.changed.insert(p.changed.end(), w.changedWindowed.begin(), w.changedWindowed.end());
    }
}

bool FrameWriter::dirty() const
{
    const scene::Window* windows[] = {&scene_.form2(), &scene_.form1()};
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        const Pending& p = pending_[i];
        const scene::Window& w = *windows[i];
        if (p.shown != w.shown || p.caption != w.caption || (w.shown && (p.whole || p.controls || !p.changed.empty())))
            return true;
    }
    return false;
}

const double* FrameWriter::write()
{
    out_.clear();
    texts_.clear();
    out_.push_back(2);
    window(0, scene_.form2());
    window(1, scene_.form1());
    return out_.data();
}

// A shown window's frame: its labels and controls when any of them changed, then the canvas calls that
// repaint it (whole, or what changed). A hidden one is drawn whole when it is shown again.
void FrameWriter::window(std::size_t index, const scene::Window& w)
{
    Pending& p = pending_[index];
    const bool whole = w.shown && p.whole;
    const bool elements = w.shown && (p.whole || p.controls);
    const bool captionChanged = p.caption != w.caption;
    const int captionText = captionChanged ? texts_.add(w.caption) : -1; // the page reads it only then
    const auto d = [](auto value) { return static_cast<double>(value); };
    double count = -1;
    if (elements)
        count = d(std::count_if(w.items.begin(), w.items.end(), [](const auto& i) { return isPageElement(i.kind); }));
    const scene::PixelRect css = scene::toDevice({0, 0, w.width, w.height}, 1);
    const scene::PixelRect device = scene::toDevice({0, 0, w.width, w.height}, scale_);
    const std::size_t header = out_.size();
    constexpr std::size_t CallsLength = 9;
    out_.insert(out_.end(),
        {d(w.shown), d(w.load), w.width, w.height, d(captionChanged), d(captionText), d(whole),
            d(PaintWriter::layerCount(w)), count, 0, scale_, d(css.w), d(css.h), d(device.w), d(device.h)});
    if (elements) {
        const std::vector<int> layers = PaintWriter::layersOf(w);
        for (std::size_t k = 0; k < w.items.size(); ++k)
            if (isPageElement(w.items[k].kind))
                item(w.items[k], layers[k]);
    }
    const std::size_t calls = out_.size();
    PaintWriter& painter = painters_[index];
    if (whole)
        painter.whole(w, scale_, texts_, out_);
    else if (w.shown)
        painter.changed(w, p.changed, scale_, texts_, out_);
    out_[header + CallsLength] = d(out_.size() - calls);
    p.changed.clear();
    p.whole = !w.shown;
    p.controls = false;
    p.shown = w.shown;
    p.caption = w.caption;
}

// A label or a control: where it stands (twips, and CSS pixels for a control), its caption as drawn (the
// font, then its lines, each placed in logical pixels) and the scroll bar's values.
void FrameWriter::item(const scene::Item& i, int layer)
{
    const auto d = [](auto value) { return static_cast<double>(value); };
    const scene::DrawnFont& font = i.drawnFont;
    const int flags =
        flag(i.visible, ItemFlag::Visible) | flag(i.enabled, ItemFlag::Enabled) | flag(font.italic, ItemFlag::Italic);
    const scene::PixelRect box = scene::toDevice(i.rect, 1);
    out_.insert(out_.end(),
        {kindCode(i.kind), d(i.id), i.rect.left, i.rect.top, i.rect.width, i.rect.height, d(texts_.add(i.text)),
            d(texts_.add(font.family)), d(texts_.add(font.fallback)), d(font.pixels), d(font.weight), d(flags),
            d(i.value), d(i.minimum), d(i.maximum), d(i.smallChange), d(i.largeChange), d(box.x), d(box.y), d(box.w),
            d(box.h), d(font.ascent), d(font.descent), d(layer), d(i.lines.size())});
    for (const scene::TextLine& line : i.lines)
        out_.insert(out_.end(), {d(texts_.add(line.text)), d(line.left), d(line.baseline), d(line.width)});
}

void FrameWriter::setScale(double scale)
{
    // A ratio no screen has is taken as 1.
    if (!(scale >= 0.25 && scale <= 16))
        scale = 1;
    if (scale == scale_)
        return;
    scale_ = scale;
    drawAfresh(); // every item's device pixels change with the ratio
}

void FrameWriter::drawAfresh()
{
    for (Pending& p : pending_)
        p.whole = true;
}

const std::int32_t* FrameWriter::hatchTile(int style)
{
    const scene::HatchTile tile = scene::hatchTile(scene::hatchOf(style), scale_);
    tile_.assign(1, tile.side);
    tile_.insert(tile_.end(), tile.ink.begin(), tile.ink.end());
    return tile_.data();
}

} // namespace blokko::web
