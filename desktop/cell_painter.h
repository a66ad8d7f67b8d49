#pragma once
// Drawing of the scene's graphical items (cells, labels, images) with a QPainter, in logical pixels.

#include <QColor>
#include <QImage>
#include <QPointF>

#include "scene/scene.h"

class QPainter;

namespace blokko::view {

// 0x00BBGGRR as a QColor; a system colour (the window-text colour among them) is drawn black.
QColor toQColor(Colour colour);

// A square of `side` pixels at `topLeft`: filled with `back` when opaque, the hatch in black over it
// (in logical pixels, see hatch.h),
// the border inside the square (`borderWidth` logical pixels).
void paintSquare(QPainter& painter, QPointF topLeft, double side, Colour back, Hatch hatch, bool opaque, Colour border,
    int borderWidth);

// A cell: the square on the shorter edge of its rectangle.
void paintCell(QPainter& painter, const scene::Item& cell);

// A label: background when opaque, then the scene's lines of its caption, clipped to it.
void paintLabel(QPainter& painter, const scene::Item& label);

// An image: stretched over its rectangle with nearest-neighbour scaling, or at its natural size.
void paintImage(QPainter& painter, const scene::Item& image, const QImage& picture);

// Any graphical item.
void paintItem(QPainter& painter, const scene::Item& item, const QImage& picture);

} // namespace blokko::view
