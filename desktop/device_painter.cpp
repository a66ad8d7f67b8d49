#include "desktop/device_painter.h"

#include <QBrush>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "scene/hatch.h"

namespace blokko::view {

namespace {

QRect toQRect(const scene::PixelRect& r)
{
    return QRect(r.x, r.y, r.w, r.h);
}

// The scene's tile as a brush of black ink; a few ratios in practice, so each is made once.
const QBrush& hatchBrush(Hatch pattern, double ratio)
{
    static QHash<quint64, QBrush> made;
    const quint64 key = (static_cast<quint64>(scene::hatchTileSide(ratio)) << 8) | static_cast<quint64>(pattern);
    auto found = made.constFind(key);
    if (found != made.constEnd())
        return *found;
    const scene::HatchTile tile = scene::hatchTile(pattern, ratio);
    QImage image(std::max(tile.side, 1), std::max(tile.side, 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < tile.side; ++y)
        for (int x = 0; x < tile.side; ++x)
            image.setPixel(x, y, qRgba(0, 0, 0, tile.ink[static_cast<std::size_t>(y * tile.side + x)]));
    return *made.insert(key, tile.side > 0 ? QBrush(image) : QBrush(Qt::NoBrush));
}

} // namespace

QColor toQColor(scene::Rgb rgb)
{
    return QColor(static_cast<QRgb>(rgb));
}

DevicePainter::DevicePainter(QPainter& painter, QPoint origin) : painter_(painter), origin_(origin)
{
    // The painter's own scale to the device, which is the target's (a widget rendered into an image of
    // another ratio paints at the image's).
    const double scale = painter.deviceTransform().m11();
    ratio_ = scale > 0 ? scale : 1.0;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    // Device pixels of the window to logical pixels of the widget.
    painter_.setWorldTransform(QTransform(1 / ratio_, 0, 0, 1 / ratio_, -origin.x(), -origin.y()));
}

DevicePainter::~DevicePainter()
{
    painter_.restore();
}

scene::PixelRect DevicePainter::reach(const QRect& logical) const
{
    const QRectF window = QRectF(logical.translated(origin_));
    const int left = static_cast<int>(std::floor(window.left() * ratio_));
    const int top = static_cast<int>(std::floor(window.top() * ratio_));
    return {left, top, static_cast<int>(std::ceil(window.right() * ratio_)) - left,
        static_cast<int>(std::ceil(window.bottom() * ratio_)) - top};
}

void DevicePainter::fill(const scene::PixelRect& area, scene::Rgb colour)
{
    if (!area.empty())
        painter_.fillRect(toQRect(area), toQColor(colour));
}

void DevicePainter::hatch(const scene::PixelRect& area, Hatch pattern)
{
    if (area.empty() || pattern == Hatch::None)
        return;
    const QBrush& brush = hatchBrush(pattern, ratio_);
    if (brush.style() == Qt::NoBrush)
        return;
    // Brushes are anchored at the painter's origin, here the window's top left device pixel.
    painter_.setBrushOrigin(QPointF(0, 0));
    painter_.fillRect(toQRect(area), brush);
}

void DevicePainter::square(const scene::SquarePixels& s, scene::Rgb border)
{
    if (s.filled) {
        // The border's colour over the whole square, then the inside over it.
        if (s.border > 0)
            fill(s.square, border);
        fill(s.inside, s.fill);
        hatch(s.inside, s.pattern);
        return;
    }
    for (const scene::PixelRect& strip : scene::borderStrips(s))
        fill(strip, border);
}

void DevicePainter::clip(const scene::PixelRect& area)
{
    painter_.setClipRect(toQRect(area), Qt::IntersectClip);
}

} // namespace blokko::view
