#pragma once
// Where Qt's widgets stand, in logical pixels, from the scene's twips. Drawing itself uses the scene's
// device pixels (scene/pixels.h); only widget placement, repaint requests and text layout are here.

#include <QRectF>

#include "scene/pixels.h"
#include "scene/scene.h"

namespace blokko::view {

// A rectangle in logical pixels, unrounded: where text is laid out.
inline QRectF pixelRect(const scene::Rect& r)
{
    const double k = 1 / scene::TwipsPerPixel;
    return QRectF(r.left * k, r.top * k, r.width * k, r.height * k);
}

// The whole-pixel rectangle of a child widget: the scene's rule at ratio 1.
inline QRect widgetRect(const scene::Rect& rect)
{
    const scene::PixelRect r = scene::toDevice(rect, 1.0);
    return QRect(r.x, r.y, r.w, r.h);
}

// A window's client area in logical pixels.
inline QSize clientSize(float width, float height)
{
    return widgetRect({0, 0, width, height}).size();
}

// The logical pixels a drawn rectangle may touch at any device pixel ratio: its widget rectangle with a
// pixel to spare, since device edges round on their own.
inline QRect repaintRect(const scene::Rect& drawn)
{
    return widgetRect(drawn).adjusted(-1, -1, 1, 1);
}

} // namespace blokko::view
