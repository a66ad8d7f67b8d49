#pragma once
// Hatch patterns drawn in logical pixels. Qt's own pattern brushes are 8 x 8 device pixels, so on a
// screen of ratio 2 their lines came out half as thick and twice as dense as on a screen of ratio 1.
// These are Qt's patterns at ratio 1, pixel for pixel, drawn in logical pixels: at every ratio a line
// is one logical pixel thick and the lines eight apart.

#include <QBrush>
#include <QColor>
#include <QRectF>

#include "engine/rules/controls.h"

class QPainter;

namespace blokko::view {

// The brush of a hatch for a device of this pixel ratio, anchored like every brush at the painter's
// brush origin; Qt::NoBrush for Hatch::None.
QBrush hatchBrush(Hatch hatch, qreal devicePixelRatio, const QColor& colour = Qt::black);

// Fills `area` with the hatch for the painter's device.
void paintHatch(QPainter& painter, const QRectF& area, Hatch hatch, const QColor& colour = Qt::black);

} // namespace blokko::view
