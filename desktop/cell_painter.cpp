#include "desktop/cell_painter.h"

#include <QPainter>

#include "desktop/fonts.h"
#include "desktop/twips.h"

namespace blokko::view {

void paintCell(DevicePainter& device, const scene::Item& cell)
{
    device.square(scene::cellPixels(cell, device.ratio()), cell.border);
}

void paintLabel(QPainter& painter, const scene::Item& label)
{
    const QRectF bounds = pixelRect(label.rect);
    if (label.opaque) {
        DevicePainter device(painter);
        device.fill(scene::toDevice(label.rect, device.ratio()), label.back);
    }
    if (label.lines.empty())
        return;
    painter.save();
    // A line the scene placed below a label that is one line high stays inside it: only the label's
    // area is repainted when it changes.
    painter.setClipRect(bounds, Qt::IntersectClip);
    painter.setFont(fontFor(label.drawnFont));
    painter.setPen(toQColor(label.fore));
    // The lines stand from the label's place in logical pixels, as the scene rounds it for every front end.
    const scene::PixelRect box = scene::toDevice(label.rect, 1);
    for (const scene::TextLine& line : label.lines)
        painter.drawText(
            QPointF(box.x + double(line.left), box.y + double(line.baseline)), QString::fromStdString(line.text));
    painter.restore();
}

void paintImage(DevicePainter& device, const scene::Item& image, const scene::Picture& picture)
{
    for (const scene::PicturePixel& pixel : scene::picturePixels(image, picture, device.ratio()))
        device.fill(pixel.rect, pixel.colour);
}

void paintItem(QPainter& painter, DevicePainter& device, const scene::Item& item, const scene::Picture& picture)
{
    switch (item.kind) {
    case scene::Kind::Cell:
        paintCell(device, item);
        break;
    case scene::Kind::Label:
        // Text is laid out in logical pixels.
        painter.save();
        painter.resetTransform();
        paintLabel(painter, item);
        painter.restore();
        break;
    case scene::Kind::Image:
        paintImage(device, item, picture);
        break;
    default:
        break; // windowed controls are widgets of their own
    }
}

} // namespace blokko::view
