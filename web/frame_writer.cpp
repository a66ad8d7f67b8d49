#include "web/frame_writer.h"

#include <algorithm>
#include <initializer_list>

#include "scene/form2_ids.h"
#include "scene/hatch.h"
#include "scene/pixels.h"

namespace blokko::web {

namespace {

// The item kinds and flags as the page (web/page/) reads them.
double kindCode(scene::Kind kind)
{
    switch (kind) {
    case scene::Kind::Cell:
        return 1;
    case scene::Kind::Label:
        return 2;
    case scene::Kind::Panel:
        return 3;
    case scene::Kind::Image:
        return 4;
    case scene::Kind::Button:
        return 5;
    case scene::Kind::ScrollBar:
        return 6;
    }
    return 0;
}

void addRect(std::vector<double>& out, const scene::PixelRect& r)
{
    out.insert(out.end(),
        {static_cast<double>(r.x), static_cast<double>(r.y), static_cast<double>(r.w), static_cast<double>(r.h)});
}

enum Flag : int { Visible = 1, Enabled = 2, Opaque = 4, Stretch = 8, Bold = 16, Italic = 32, InnerVisible = 64 };

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
// a windowed item taking another place in the drawing order, needs the window built afresh. The page
// keeps its draw list by place: an item that moved is sent at its new place, though it did not change.
void FrameWriter::take(const scene::Window& w, Pending& p)
{
    if (w.allChanged) {
        p.whole = true;
        p.all = true;
    }
    if (!p.all) {
        p.listed.resize(w.slot.size());
        for (const auto* ids : {&w.changedIds, &w.movedIds})
            for (std::uint16_t id : *ids)
                if (!p.listed[id]) {
                    p.listed[id] = true;
                    p.ids.push_back(id);
                }
    }
    for (std::uint16_t id : w.changedIds) {
        const scene::Kind kind = w.items[w.slot[id]].kind;
        if (kind == scene::Kind::Button || kind == scene::Kind::ScrollBar)
            p.whole = true;
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
        if (p.whole || p.all || !p.ids.empty() || !p.changed.empty() || p.shown != windows[i]->shown)
            return true;
    }
    return false;
}

const double* FrameWriter::write()
{
    out_.clear();
    texts_.clear();
    out_.push_back(2);
    window(scene_.form2(), pending_[0]);
    window(scene_.form1(), pending_[1]);
    return out_.data();
}

// The page keeps the items as its draw list: a frame sends all of them after a new load, else those the
// scene reported changed or moved, each with its place in the list.
void FrameWriter::window(const scene::Window& w, Pending& p)
{
    const std::size_t count = p.all ? w.items.size() : p.ids.size();
    const scene::PixelRect css = scene::toDevice({0, 0, w.width, w.height}, 1);
    const scene::PixelRect device = scene::toDevice({0, 0, w.width, w.height}, scale_);
    out_.insert(out_.end(),
        {w.shown ? 1.0 : 0.0, static_cast<double>(w.load), w.width, w.height, static_cast<double>(w.back),
            static_cast<double>(addText(w.caption)), p.whole ? 1.0 : 0.0, p.all ? 1.0 : 0.0, static_cast<double>(count),
            static_cast<double>(p.whole ? 0 : p.changed.size()), scale_, static_cast<double>(css.w),
            static_cast<double>(css.h), static_cast<double>(device.w), static_cast<double>(device.h)});
    if (p.all) {
        for (std::size_t k = 0; k < w.items.size(); ++k)
            item(w.items[k], k);
    } else {
        for (std::uint16_t id : p.ids)
            item(w.items[w.slot[id]], w.slot[id]);
    }
    for (std::uint16_t id : p.ids)
        p.listed[id] = false;
    if (!p.whole)
        for (const scene::Rect& r : p.changed)
            addRect(out_, scene::toDevice(r, scale_));
    p.changed.clear();
    p.ids.clear();
    p.whole = false;
    p.all = false;
    p.shown = w.shown;
}

void FrameWriter::item(const scene::Item& i, std::size_t index)
{
    const auto d = [](auto value) { return static_cast<double>(value); };
    const int flags = (i.visible ? Visible : 0) | (i.enabled ? Enabled : 0) | (i.opaque ? Opaque : 0) |
        (i.stretch ? Stretch : 0) | (i.font.bold ? Bold : 0) | (i.font.italic ? Italic : 0) |
        (i.innerVisible ? InnerVisible : 0);
    out_.insert(out_.end(),
        {kindCode(i.kind), d(i.id), i.rect.left, i.rect.top, i.rect.width, i.rect.height, d(i.back),
            d(static_cast<int>(i.hatch)), d(i.border), d(i.borderWidth), d(i.fore), d(addText(i.text)),
            d(addText(i.drawnFont.family)), i.font.points, d(flags), d(i.value), d(i.minimum), d(i.maximum),
            i.inner.left, i.inner.top, i.inner.width, i.inner.height, d(i.innerBack), d(index), d(i.smallChange),
            d(i.largeChange)});
    // Where the item is drawn, in the page's device pixels, and where a control stands, in CSS pixels.
    addRect(out_, scene::toDevice(i.rect, scale_));
    addRect(out_, scene::toDevice(i.rect, 1));
    // A cell's square, or a panel's filler.
    scene::SquarePixels square;
    if (i.kind == scene::Kind::Cell)
        square = scene::cellPixels(i, scale_);
    else if (i.kind == scene::Kind::Panel)
        square = scene::panelPixels(i, scale_).filler;
    addRect(out_, square.square);
    out_.push_back(square.border);
    addRect(out_, square.inside);
    out_.insert(out_.end(), {d(square.fill), d(static_cast<int>(square.pattern)), square.filled ? 1.0 : 0.0});
    // The caption as drawn: the font, then its lines, each with its place in logical pixels.
    const scene::DrawnFont& font = i.drawnFont;
    out_.insert(out_.end(),
        {d(font.pixels), d(font.weight), d(addText(font.fallback)), d(font.ascent), d(font.descent),
            d(i.lines.size())});
    for (const scene::TextLine& line : i.lines)
        out_.insert(out_.end(), {d(addText(line.text)), d(line.left), d(line.baseline), d(line.width)});
}

int FrameWriter::addText(const std::string& text)
{
    if (text.empty())
        return -1;
    const auto found = std::find(texts_.begin(), texts_.end(), text);
    if (found != texts_.end())
        return static_cast<int>(found - texts_.begin());
    texts_.push_back(text);
    return static_cast<int>(texts_.size()) - 1;
}

const char* FrameWriter::text(int id) const
{
    if (id < 0 || static_cast<std::size_t>(id) >= texts_.size())
        return "";
    return texts_[static_cast<std::size_t>(id)].c_str();
}

void FrameWriter::setScale(double scale)
{
    // A ratio no screen has is taken as 1.
    if (!(scale >= 0.25 && scale <= 16))
        scale = 1;
    if (scale == scale_)
        return;
    scale_ = scale;
    // Every item's device pixels change with the ratio.
    for (Pending& p : pending_) {
        p.whole = true;
        p.all = true;
    }
}

const std::int32_t* FrameWriter::picture(int window, int id)
{
    lookup_.assign(1, 0);
    const scene::Window& w = window == 0 ? scene_.form2() : scene_.form1();
    const scene::Item* image = id >= 0 && id <= 0xFFFF ? w.find(static_cast<std::uint16_t>(id)) : nullptr;
    if (!image || image->kind != scene::Kind::Image)
        return lookup_.data();
    for (const scene::PicturePixel& p : scene::picturePixels(*image, w.picture, scale_))
        lookup_.insert(lookup_.end(), {p.rect.x, p.rect.y, p.rect.w, p.rect.h, static_cast<std::int32_t>(p.colour)});
    lookup_[0] = static_cast<std::int32_t>((lookup_.size() - 1) / 5);
    return lookup_.data();
}

const std::int32_t* FrameWriter::hatchTile(int style)
{
    const scene::HatchTile tile = scene::hatchTile(scene::hatchOf(style), scale_);
    lookup_.assign(1, tile.side);
    lookup_.insert(lookup_.end(), tile.ink.begin(), tile.ink.end());
    return lookup_.data();
}

} // namespace blokko::web
