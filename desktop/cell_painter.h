#pragma once
// Drawing of the graphical controls (cells, labels, images) with a QPainter, in logical pixels.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>

#include "engine/rules/controls.h"

class QPainter;

namespace blokko::view {

// 0x00BBGGRR as a QColor; a system colour (the window-text colour among them) is drawn black.
QColor toQColor(Colour colour);

// The Qt brush pattern of a FillStyle code; codes outside 0 to 7 draw no pattern.
Qt::BrushStyle hatchBrushStyle(int fillStyle);

// A cell: the square on the shorter edge, filled with BackColor when opaque, the hatch in black over it,
// the border inside the square (BorderWidth in logical pixels). `origin` is the container's top left.
void paintCell(QPainter& painter, const Cell& cell, QPointF origin = {});

// A label with its text already converted: background when opaque, text at the top left, wrapped at
// word boundaries and clipped to the label.
void paintLabel(QPainter& painter, const Label& label, const QString& text, const QFont& font);

// An image: stretched over its rectangle with nearest-neighbour scaling, or at its natural size.
void paintImage(QPainter& painter, const Image& image, const QImage& picture);

} // namespace blokko::view
