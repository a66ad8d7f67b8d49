#pragma once
// Twips to logical pixels: the game is designed at 15 twips a pixel. Qt's device pixel ratio takes it
// from logical to device pixels, so nothing here depends on the screen.

#include <QRectF>

#include "scene/scene.h"

namespace blokko::view {

constexpr double TwipsPerPixel = 15.0;

constexpr double toPixels(double twips)
{
    return twips / TwipsPerPixel;
}

inline QRectF pixelRect(const scene::Rect& r, QPointF origin = {})
{
    return QRectF(origin.x() + toPixels(r.left), origin.y() + toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

// The whole-pixel rectangle of a child widget: edges rounded to the nearest pixel, as the toolkit places
// controls.
inline QRect widgetRect(const scene::Rect& rect)
{
    const QRectF r = pixelRect(rect);
    const int left = qRound(r.left());
    const int top = qRound(r.top());
    return QRect(left, top, qRound(r.right()) - left, qRound(r.bottom()) - top);
}

// The pixels a drawn rectangle may touch, rounded outwards with a pixel to spare for rounding at any
// device pixel ratio.
inline QRect repaintRect(const scene::Rect& drawn)
{
    return pixelRect(drawn).toAlignedRect().adjusted(-1, -1, 1, 1);
}

} // namespace blokko::view
