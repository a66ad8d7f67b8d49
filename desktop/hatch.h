#pragma once
// Hatch patterns drawn in logical pixels. Qt's own pattern brushes are 8 x 8 device pixels, so on a
// screen of ratio 2 their lines came out half as thick and twice as dense as on a screen of ratio 1.
// These are Qt's patterns at ratio 1, pixel for pixel, drawn in logical pixels: at every ratio a line
// is one logical pixel thick and the lines eight apart.

#include <QBrush>
#include <QColor>
#include <QRectF>

class QPainter;

namespace blokko::view {

// The brush of a FillStyle code (0 to 7) for a device of this pixel ratio, anchored like every brush at
// the painter's brush origin; Qt::NoBrush for code 1 and for codes outside 0 to 7.
QBrush hatchBrush(int fillStyle, qreal devicePixelRatio, const QColor& colour = Qt::black);

// Fills `area` with the hatch of `fillStyle` for the painter's device.
void paintHatch(QPainter& painter, const QRectF& area, int fillStyle, const QColor& colour = Qt::black);

} // namespace blokko::view
