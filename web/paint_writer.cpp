#include "web/paint_writer.h"

#include <algorithm>
#include <initializer_list>

namespace blokko::web {

using scene::Item;
using scene::Kind;
using scene::PixelRect;

namespace {

bool intersects(const PixelRect& a, const PixelRect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Whether two rectangles overlap or share an edge.
bool touches(const PixelRect& a, const PixelRect& b)
{
    return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}

// Whether `outer` holds all of `inner`.
bool contains(const PixelRect& outer, const PixelRect& inner)
{
    return outer.x <= inner.x && outer.y <= inner.y && inner.x + inner.w <= outer.x + outer.w &&
        inner.y + inner.h <= outer.y + outer.h;
}

// The smallest rectangle holding both; an empty one adds nothing.
PixelRect unite(const PixelRect& a, const PixelRect& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    const int x = std::min(a.x, b.x);
    const int y = std::min(a.y, b.y);
    return {x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
}

// Whether an item paints the whole of its rectangle opaquely: nothing drawn before it shows there.
bool isSolid(const Item& i, const PixelRect& device, double scale)
{
    switch (i.kind) {
    case Kind::Panel:
        return true;
    case Kind::Label:
        return i.opaque;
    case Kind::Cell: // a cell draws the square of its shorter side
        return i.opaque && scene::cellPixels(i, scale).square == device;
    default:
        return false;
    }
}

// The changed rectangles, those that overlap or touch merged into one: the parts of a window to repaint,
// each on its own (a falling piece's cells, at their old and new places, make one; the two curtain
// halves are far apart). Every item draws inside its own rectangle (a label's text is clipped to it),
// so an area needs no margin.
std::vector<PixelRect> repaintAreas(const std::vector<scene::Rect>& changed, double scale)
{
    std::vector<PixelRect> areas;
    for (const scene::Rect& r : changed) {
        PixelRect area = scene::toDevice(r, scale);
        if (area.empty())
            continue;
        for (std::size_t i = 0; i < areas.size();) {
            if (touches(areas[i], area)) {
                area = unite(area, areas[i]);
                areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(i));
                i = 0; // the grown area may now reach one already passed
            } else {
                ++i;
            }
        }
        areas.push_back(area);
    }
    return areas;
}

} // namespace

// Writes the calls of one repaint.
class PaintWriter::Calls {
public:
    Calls(const scene::Window& w, double scale, FrameTexts& texts, std::vector<double>& out)
        : window(w), scale(scale), texts_(texts), out_(out)
    {
    }

    void call(Call code, std::initializer_list<double> numbers)
    {
        out_.push_back(static_cast<int>(code));
        out_.insert(out_.end(), numbers);
    }
    void call(Call code, double first, const PixelRect& r) { call(code, {first, d(r.x), d(r.y), d(r.w), d(r.h)}); }
    void call(Call code, double first, double second, const PixelRect& r)
    {
        call(code, {first, second, d(r.x), d(r.y), d(r.w), d(r.h)});
    }
    void call(Call code, const PixelRect& r) { call(code, {d(r.x), d(r.y), d(r.w), d(r.h)}); }

    // Draws one item; returns the device pixels it may have touched.
    PixelRect item(const Item& i, const PixelRect& device)
    {
        switch (i.kind) {
        case Kind::Cell:
            square(scene::cellPixels(i, scale), i.border);
            return device;
        case Kind::Label:
            label(i, device);
            return device;
        case Kind::Panel:
            panel(i, device);
            return device;
        case Kind::Image:
            return unite(device, picture(i));
        case Kind::Button:
        case Kind::ScrollBar:
            break;
        }
        return {};
    }

    // Cells that share no pixel, drawn in two rounds: every border, then every inside. Neighbouring
    // cells share their colours, and the page sets a colour once for a run of fills in it.
    void cellsByRound(const std::vector<std::size_t>& cells)
    {
        std::vector<scene::SquarePixels> squares;
        squares.reserve(cells.size());
        for (std::size_t k : cells) {
            squares.push_back(scene::cellPixels(window.items[k], scale));
            squareBorder(squares.back(), window.items[k].border);
        }
        for (const scene::SquarePixels& s : squares)
            squareInside(s);
    }

    const scene::Window& window;
    const double scale;

private:
    static double d(int value) { return value; }

    // A cell's or a panel filler's square: its border, then its inside.
    void square(const scene::SquarePixels& s, scene::Rgb border)
    {
        squareBorder(s, border);
        squareInside(s);
    }

    // The border's colour over the square; a square that is not filled draws its border only.
    void squareBorder(const scene::SquarePixels& s, scene::Rgb border)
    {
        if (!s.filled) {
            for (const PixelRect& strip : scene::borderStrips(s))
                call(Call::Fill, border, strip);
        } else if (s.border > 0) {
            call(Call::Fill, border, s.square);
        }
    }

    // The inside in its fill colour, with the hatch over it.
    void squareInside(const scene::SquarePixels& s)
    {
        if (!s.filled || s.inside.empty())
            return;
        if (s.pattern != blokko::Hatch::None)
            call(Call::Hatch, s.fill, static_cast<int>(s.pattern), s.inside);
        else
            call(Call::Fill, s.fill, s.inside);
    }

    // The scene's lines where it places them, clipped to the label: a line placed below a label one line
    // high stays inside it, as only the label's area is repainted when it changes.
    void label(const Item& i, const PixelRect& device)
    {
        if (i.opaque)
            call(Call::Fill, i.back, device);
        if (i.lines.empty())
            return;
        // The font is set outside the clip, so that it outlasts it: the next label in the same font
        // needs no new one.
        const scene::DrawnFont& font = i.drawnFont;
        call(Call::Font,
            {font.italic ? 1.0 : 0.0, d(font.weight), font.pixels * scale, d(texts_.add(font.family)),
                d(texts_.add(font.fallback))});
        call(Call::Clip, device);
        const PixelRect box = scene::toDevice(i.rect, 1); // the label's place in logical pixels
        for (const scene::TextLine& line : i.lines)
            call(Call::Text,
                {d(static_cast<int>(i.fore)), d(texts_.add(line.text)),
                    (box.x + static_cast<double>(line.left)) * scale,
                    (box.y + static_cast<double>(line.baseline)) * scale});
        call(Call::Restore, {});
    }

    // A panel and the filler cell it holds, clipped by it.
    void panel(const Item& i, const PixelRect& device)
    {
        call(Call::Fill, i.back, device);
        if (!i.innerVisible)
            return;
        call(Call::Clip, device);
        square(scene::panelPixels(i, scale).filler, i.border);
        call(Call::Restore, {});
    }

    // An image: the scene's picture pixels. Returns the device pixels drawn.
    PixelRect picture(const Item& i)
    {
        PixelRect drawn;
        for (const scene::PicturePixel& p : scene::picturePixels(i, window.picture, scale)) {
            call(Call::Fill, p.colour, p.rect);
            drawn = unite(drawn, p.rect);
        }
        return drawn;
    }

    FrameTexts& texts_;
    std::vector<double>& out_;
};

std::vector<int> PaintWriter::layersOf(const scene::Window& w)
{
    std::vector<int> layers(w.items.size());
    int layer = 0;
    for (std::size_t k = 0; k < w.items.size(); ++k) {
        const Item& i = w.items[k];
        layers[k] = isControl(i.kind) && i.visible ? layer++ : layer;
    }
    return layers;
}

int PaintWriter::layerCount(const scene::Window& w)
{
    return 1 + static_cast<int>(std::count_if(w.items.begin(), w.items.end(), [](const Item& i) {
        return isControl(i.kind) && i.visible;
    }));
}

void PaintWriter::whole(const scene::Window& w, double scale, FrameTexts& texts, std::vector<double>& out)
{
    Calls calls(w, scale, texts, out);
    inked_.assign(static_cast<std::size_t>(layerCount(w)), {});
    place(w, scale);
    area(calls, scene::toDevice({0, 0, w.width, w.height}, scale), true);
}

void PaintWriter::changed(const scene::Window& w, const std::vector<scene::Rect>& areas, double scale,
    FrameTexts& texts, std::vector<double>& out)
{
    if (areas.empty())
        return;
    Calls calls(w, scale, texts, out);
    inked_.resize(static_cast<std::size_t>(layerCount(w))); // the same, as a change of layers redraws whole
    place(w, scale);
    for (const PixelRect& a : repaintAreas(areas, scale))
        area(calls, a, false);
}

// Each item's layer and device pixels, for this frame.
void PaintWriter::place(const scene::Window& w, double scale)
{
    layerOf_ = layersOf(w);
    device_.resize(w.items.size());
    for (std::size_t k = 0; k < w.items.size(); ++k)
        device_[k] = scene::toDevice(w.items[k].rect, scale);
}

// Repaints one area on every layer that has or had something there. On each layer, an item that a solid
// item drawn later wholly covers is left out: while the curtain slides, the cells behind a half are not
// drawn only to be painted over. An image may draw beyond its rectangle, so it is always drawn.
void PaintWriter::area(Calls& calls, const PixelRect& a, bool whole)
{
    const scene::Window& w = calls.window;
    for (std::size_t n = 0; n < inked_.size(); ++n) {
        std::vector<std::size_t> kept; // back to front once reversed
        std::vector<PixelRect> solids;
        for (std::size_t k = w.items.size(); k-- > 0;) {
            const Item& i = w.items[k];
            if (static_cast<std::size_t>(layerOf_[k]) != n || !i.visible || isControl(i.kind) ||
                !intersects(device_[k], a))
                continue;
            const bool hidden =
                std::any_of(solids.begin(), solids.end(), [&](const PixelRect& s) { return contains(s, device_[k]); });
            if (i.kind != Kind::Image && hidden)
                continue;
            kept.push_back(k);
            if (isSolid(i, device_[k], calls.scale))
                solids.push_back(device_[k]);
        }
        std::vector<PixelRect>& inked = inked_[n];
        if (n > 0 && kept.empty() &&
            std::none_of(inked.begin(), inked.end(), [&](const PixelRect& r) { return intersects(r, a); }))
            continue;
        calls.call(Call::Layer, {static_cast<double>(n)});
        if (whole) {
            if (n == 0)
                calls.call(Call::FillLayer, {static_cast<double>(w.back)});
            else
                calls.call(Call::ClearLayer, {});
        }
        // Items reaching beyond the area are drawn clipped to it (a clip costs the page more than any
        // fill): in play, only the cells that changed are in an area, and none reaches beyond it.
        const bool clipped = !whole && std::any_of(kept.begin(), kept.end(), [&](std::size_t k) {
            return w.items[k].kind == Kind::Image || !contains(a, device_[k]);
        });
        if (clipped)
            calls.call(Call::Clip, a);
        if (!whole) {
            if (n == 0)
                calls.call(Call::Fill, w.back, a);
            else
                calls.call(Call::Clear, a);
            std::erase_if(inked, [&](const PixelRect& r) { return contains(a, r); });
        }
        std::reverse(kept.begin(), kept.end());
        if (cellsApart(w, kept)) {
            calls.cellsByRound(kept);
            for (std::size_t k : kept)
                inkedAt(n, device_[k]);
        } else {
            for (std::size_t k : kept)
                inkedAt(n, calls.item(w.items[k], device_[k]));
        }
        if (clipped)
            calls.call(Call::Restore, {});
    }
}

// Whether the items are two or more cells with no pixel in common: they may then be drawn in any order.
bool PaintWriter::cellsApart(const scene::Window& w, const std::vector<std::size_t>& items) const
{
    if (items.size() < 2)
        return false;
    for (std::size_t a = 0; a < items.size(); ++a) {
        if (w.items[items[a]].kind != Kind::Cell)
            return false;
        for (std::size_t b = 0; b < a; ++b)
            if (intersects(device_[items[a]], device_[items[b]]))
                return false;
    }
    return true;
}

// Keeps what a layer above the bottom one has drawn, to be cleared when it goes.
void PaintWriter::inkedAt(std::size_t layer, const PixelRect& drawn)
{
    std::vector<PixelRect>& inked = inked_[layer];
    if (layer > 0 && !drawn.empty() &&
        std::none_of(inked.begin(), inked.end(), [&](const PixelRect& r) { return contains(r, drawn); }))
        inked.push_back(drawn);
}

} // namespace blokko::web
