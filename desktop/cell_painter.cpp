#include "desktop/cell_painter.h"

#include <QPainter>
#include <algorithm>

#include "desktop/twips.h"

namespace blokko::view {

QColor toQColor(Colour colour)
{
    if (colour & 0x80000000u)
        return QColor(Qt::black);
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
        static_cast<int>((colour >> 16) & 0xFFu));
}

Qt::BrushStyle hatchBrushStyle(int fillStyle)
{
    switch (static_cast<Hatch>(fillStyle)) {
    case Hatch::Solid:
        return Qt::SolidPattern;
    case Hatch::None:
        return Qt::NoBrush;
    case Hatch::Horizontal:
        return Qt::HorPattern;
    case Hatch::Vertical:
        return Qt::VerPattern;
    case Hatch::UpwardDiagonal:
        return Qt::BDiagPattern;
    case Hatch::DownwardDiagonal:
        return Qt::FDiagPattern;
    case Hatch::Cross:
        return Qt::CrossPattern;
    case Hatch::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

void paintCell(QPainter& painter, const Cell& cell, QPointF origin)
{
    const QRectF bounds = pixelRect(cell, origin);
    const double side = std::min(bounds.width(), bounds.height());
    if (side <= 0)
        return;
    const QRectF square(bounds.topLeft(), QSizeF(side, side));
    if (cell.opaque) {
        painter.fillRect(square, toQColor(cell.BackColor));
        const Qt::BrushStyle hatch = hatchBrushStyle(cell.FillStyle);
        if (hatch != Qt::NoBrush)
            painter.fillRect(square, QBrush(Qt::black, hatch));
    }
    const double border = std::min(static_cast<double>(std::max(cell.BorderWidth, 0)), side / 2.0);
    if (border <= 0)
        return;
    const QColor colour = toQColor(cell.BorderColor);
    const double inner = side - 2 * border;
    painter.fillRect(QRectF(square.left(), square.top(), side, border), colour);
    painter.fillRect(QRectF(square.left(), square.bottom() - border, side, border), colour);
    if (inner > 0) {
        painter.fillRect(QRectF(square.left(), square.top() + border, border, inner), colour);
        painter.fillRect(QRectF(square.right() - border, square.top() + border, border, inner), colour);
    }
}

void paintLabel(QPainter& painter, const Label& label, const QString& text, const QFont& font)
{
    const QRectF bounds = pixelRect(label);
    if (!label.transparent)
        painter.fillRect(bounds, toQColor(label.BackColor));
    if (text.isEmpty())
        return;
    painter.save();
    painter.setClipRect(bounds, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(toQColor(label.ForeColor));
    // Captions wrap at word boundaries inside the label, as the designed labels do (the design's
    // WordWrap flag only lets an auto-sized label grow; these labels have fixed sizes).
    painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.restore();
}

void paintImage(QPainter& painter, const Image& image, const QImage& picture)
{
    const QRectF bounds = pixelRect(image);
    // Stretched pixels stay sharp-edged blocks.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (image.stretch)
        painter.drawImage(bounds, picture);
    else
        painter.drawImage(bounds.topLeft(), picture);
    painter.restore();
}

} // namespace blokko::view
