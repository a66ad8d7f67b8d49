#include "desktop/cell_painter.h"

#include <QPainter>
#include <algorithm>

#include "desktop/fonts.h"
#include "desktop/hatch.h"
#include "desktop/twips.h"

namespace blokko::view {

QColor toQColor(Colour colour)
{
    if (colour & 0x80000000u)
        return QColor(Qt::black);
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
        static_cast<int>((colour >> 16) & 0xFFu));
}

void paintSquare(QPainter& painter, QPointF topLeft, double side, Colour back, Hatch hatch, bool opaque, Colour border,
    int borderWidth)
{
    if (side <= 0)
        return;
    const QRectF square(topLeft, QSizeF(side, side));
    if (opaque) {
        painter.fillRect(square, toQColor(back));
        paintHatch(painter, square, hatch);
    }
    const double width = std::min(static_cast<double>(std::max(borderWidth, 0)), side / 2.0);
    if (width <= 0)
        return;
    const QColor colour = toQColor(border);
    const double inner = side - 2 * width;
    painter.fillRect(QRectF(square.left(), square.top(), side, width), colour);
    painter.fillRect(QRectF(square.left(), square.bottom() - width, side, width), colour);
    if (inner > 0) {
        painter.fillRect(QRectF(square.left(), square.top() + width, width, inner), colour);
        painter.fillRect(QRectF(square.right() - width, square.top() + width, width, inner), colour);
    }
}

void paintCell(QPainter& painter, const scene::Item& cell)
{
    const QRectF bounds = pixelRect(cell.rect);
    paintSquare(painter, bounds.topLeft(), std::min(bounds.width(), bounds.height()), cell.back, cell.hatch,
        cell.opaque, cell.border, cell.borderWidth);
}

void paintLabel(QPainter& painter, const scene::Item& label)
{
    const QRectF bounds = pixelRect(label.rect);
    if (label.opaque)
        painter.fillRect(bounds, toQColor(label.back));
    if (label.lines.empty())
        return;
    painter.save();
    // A line the scene placed below a label that is one line high stays inside it: only the label's
    // area is repainted when it changes.
    painter.setClipRect(bounds, Qt::IntersectClip);
    painter.setFont(fontFor(label.drawnFont));
    painter.setPen(toQColor(label.fore));
    for (const scene::TextLine& line : label.lines)
        painter.drawText(bounds.topLeft() + QPointF(line.left, line.baseline), QString::fromStdString(line.text));
    painter.restore();
}

void paintImage(QPainter& painter, const scene::Item& image, const QImage& picture)
{
    const QRectF bounds = pixelRect(image.rect);
    // Stretched pixels stay sharp-edged blocks.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (image.stretch)
        painter.drawImage(bounds, picture);
    else
        painter.drawImage(bounds.topLeft(), picture);
    painter.restore();
}

void paintItem(QPainter& painter, const scene::Item& item, const QImage& picture)
{
    switch (item.kind) {
    case scene::Kind::Cell:
        paintCell(painter, item);
        break;
    case scene::Kind::Label:
        paintLabel(painter, item);
        break;
    case scene::Kind::Image:
        paintImage(painter, item, picture);
        break;
    default:
        break; // windowed controls are widgets of their own
    }
}

} // namespace blokko::view
