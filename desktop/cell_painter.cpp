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
    if (label.text.empty())
        return;
    painter.save();
    painter.setClipRect(bounds, Qt::IntersectClip);
    painter.setFont(fontFor(label.font));
    painter.setPen(toQColor(label.fore));
    // Captions wrap at word boundaries inside the label, as the designed labels do (the design's
    // WordWrap flag only lets an auto-sized label grow; these labels have fixed sizes).
    painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(label.text));
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
