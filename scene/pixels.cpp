#include "scene/pixels.h"

#include <algorithm>
#include <cmath>

namespace blokko::scene {

namespace {

int toDeviceEdge(double twips, double scale)
{
    const double edge = std::floor(twips * scale / TwipsPerPixel + 0.5);
    // Far beyond any screen, or no number at all: a defined edge all the same.
    if (std::isnan(edge))
        return 0;
    return static_cast<int>(std::clamp(edge, -1e9, 1e9));
}

PixelRect inset(const PixelRect& r, int by)
{
    return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by};
}

SquarePixels squareOf(const Rect& rect, int borderWidth, double scale)
{
    SquarePixels s;
    const float side = std::max(0.0f, std::min(rect.width, rect.height));
    s.square = toDevice({rect.left, rect.top, side, side}, scale);
    const int widest = std::max(0, std::min(s.square.w, s.square.h) / 2);
    s.border = std::clamp(static_cast<int>(std::floor(std::max(borderWidth, 0) * scale + 0.5)), 0, widest);
    s.inside = inset(s.square, s.border);
    return s;
}

} // namespace

PixelRect toDevice(const Rect& twips, double scale)
{
    const int left = toDeviceEdge(twips.left, scale);
    const int top = toDeviceEdge(twips.top, scale);
    return {left, top, toDeviceEdge(static_cast<double>(twips.left) + twips.width, scale) - left,
        toDeviceEdge(static_cast<double>(twips.top) + twips.height, scale) - top};
}

SquarePixels cellPixels(const Item& cell, double scale)
{
    SquarePixels s = squareOf(cell.rect, cell.borderWidth, scale);
    s.filled = cell.opaque;
    s.fill = cell.hatch == Hatch::Solid ? WindowTextRgb : cell.back;
    s.pattern = cell.hatch == Hatch::Solid ? Hatch::None : cell.hatch;
    return s;
}

PanelPixels panelPixels(const Item& panel, double scale)
{
    PanelPixels p;
    p.panel = toDevice(panel.rect, scale);
    p.hasFiller = panel.innerVisible;
    const Rect inner = {
        panel.rect.left + panel.inner.left, panel.rect.top + panel.inner.top, panel.inner.width, panel.inner.height};
    p.filler = squareOf(inner, panel.borderWidth, scale);
    p.filler.fill = panel.innerBack;
    return p;
}

std::vector<PixelRect> borderStrips(const SquarePixels& s)
{
    const PixelRect& r = s.square;
    const int b = s.border;
    if (b <= 0 || r.empty())
        return {};
    return {{r.x, r.y, r.w, b}, {r.x, r.y + r.h - b, r.w, b}, {r.x, r.y + b, b, r.h - 2 * b},
        {r.x + r.w - b, r.y + b, b, r.h - 2 * b}};
}

std::vector<PicturePixel> picturePixels(const Item& image, const Picture& picture, double scale)
{
    std::vector<PicturePixel> pixels;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return pixels;
    const double across = image.stretch ? static_cast<double>(image.rect.width) / picture.width : TwipsPerPixel;
    const double down = image.stretch ? static_cast<double>(image.rect.height) / picture.height : TwipsPerPixel;
    pixels.reserve(picture.pixels.size());
    for (int y = 0; y < picture.height; ++y) {
        const int top = toDeviceEdge(image.rect.top + down * y, scale);
        const int bottom = toDeviceEdge(image.rect.top + down * (y + 1), scale);
        for (int x = 0; x < picture.width; ++x) {
            const int left = toDeviceEdge(image.rect.left + across * x, scale);
            const int right = toDeviceEdge(image.rect.left + across * (x + 1), scale);
            if (right > left && bottom > top)
                pixels.push_back({{left, top, right - left, bottom - top},
                    picture.pixels[static_cast<std::size_t>(y * picture.width + x)]});
        }
    }
    return pixels;
}

} // namespace blokko::scene
