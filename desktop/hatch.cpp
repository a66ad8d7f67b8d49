#include "desktop/hatch.h"

#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace blokko::view {

namespace {

// One period of every pattern, in logical pixels.
constexpr int Period = 8;

// Whether a logical pixel of the period is dark: the pixels of Qt's patterns at ratio 1 (the horizontal
// line in row 3, the vertical one in column 4, the diagonals through (0, 0) and (7, 0)).
bool dark(Hatch style, int x, int y)
{
    const bool row = y == 3;
    const bool column = x == 4;
    const bool down = x == y;
    const bool up = x + y == Period - 1;
    switch (style) {
    case Hatch::Horizontal:
        return row;
    case Hatch::Vertical:
        return column;
    case Hatch::UpwardDiagonal:
        return up;
    case Hatch::DownwardDiagonal:
        return down;
    case Hatch::Cross:
        return row || column;
    case Hatch::DiagonalCross:
        return up || down;
    case Hatch::Solid:
    case Hatch::None:
        break;
    }
    return false;
}

// How much of device pixel `device` (of `ratio` device pixels a logical one) lies in logical pixel
// `logical`, along one axis.
double overlap(int device, int logical, double ratio)
{
    return std::max(
        0.0, std::min<double>(device + 1, (logical + 1) * ratio) - std::max<double>(device, logical * ratio));
}

// One period drawn at a device pixel ratio: every device pixel takes the share of it that dark logical
// pixels cover, so whole ratios give crisp lines whole device pixels thick, and fractional ones keep the
// logical thickness with a soft edge. The period is a whole number of device pixels (the ratio is
// rounded to eighths).
QImage tile(Hatch style, int side, const QColor& colour)
{
    const double ratio = static_cast<double>(side) / Period;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double covered = 0;
            for (int ly = static_cast<int>(y / ratio); ly < Period && ly * ratio < y + 1; ++ly)
                for (int lx = static_cast<int>(x / ratio); lx < Period && lx * ratio < x + 1; ++lx)
                    if (dark(style, lx, ly))
                        covered += overlap(x, lx, ratio) * overlap(y, ly, ratio);
            if (covered <= 0)
                continue;
            QColor ink = colour;
            ink.setAlphaF(static_cast<float>(std::min(1.0, covered) * colour.alphaF()));
            image.setPixel(x, y, qPremultiply(ink.rgba()));
        }
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

QBrush hatchBrush(Hatch hatch, qreal devicePixelRatio, const QColor& colour)
{
    if (hatch == Hatch::Solid)
        return QBrush(colour);
    if (hatch == Hatch::None)
        return QBrush(Qt::NoBrush);
    const int side = std::max(Period, static_cast<int>(std::lround(Period * devicePixelRatio)));
    // A few ratios and one colour in practice: build each tile once.
    static QHash<quint64, QBrush> made;
    const quint64 key =
        (static_cast<quint64>(colour.rgba()) << 32) | (static_cast<quint64>(side) << 4) | static_cast<quint64>(hatch);
    auto found = made.constFind(key);
    if (found == made.constEnd())
        found = made.insert(key, QBrush(tile(hatch, side, colour)));
    return *found;
}

void paintHatch(QPainter& painter, const QRectF& area, Hatch hatch, const QColor& colour)
{
    const QPaintDevice* device = painter.device();
    const QBrush brush = hatchBrush(hatch, device ? device->devicePixelRatioF() : 1.0, colour);
    if (brush.style() != Qt::NoBrush)
        painter.fillRect(area, brush);
}

} // namespace blokko::view
