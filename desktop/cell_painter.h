#pragma once
// Drawing of the scene's graphical items (cells, labels, images) with a QPainter. Cells and images are
// filled in the scene's device pixels (see device_painter.h); labels draw their text in logical pixels.

#include <QColor>

#include "desktop/device_painter.h"
#include "scene/scene.h"

class QPainter;

namespace blokko::view {

// A cell: the scene's square, border, inside and hatch.
void paintCell(DevicePainter& device, const scene::Item& cell);

// A label: background when opaque, then the scene's lines of its caption, clipped to it.
void paintLabel(QPainter& painter, const scene::Item& label);

// An image: the scene's picture pixels, stretched over its rectangle or at their natural size.
void paintImage(DevicePainter& device, const scene::Item& image, const scene::Picture& picture);

// Any graphical item; `painter` is the one `device` paints with.
void paintItem(QPainter& painter, DevicePainter& device, const scene::Item& item, const scene::Picture& picture);

} // namespace blokko::view
