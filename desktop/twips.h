#pragma once
// Twips to logical pixels: the game is designed at 15 twips a pixel. Qt's device pixel ratio takes it
// from logical to device pixels, so nothing here depends on the screen.

#include <QRectF>

#include "engine/rules/controls.h"

namespace blokko::view {

constexpr double TwipsPerPixel = 15.0;

constexpr double toPixels(double twips)
{
    return twips / TwipsPerPixel;
}

inline QRectF pixelRect(const Control& control, QPointF origin = {})
{
    return QRectF(origin.x() + toPixels(control.Left), origin.y() + toPixels(control.Top), toPixels(control.Width),
        toPixels(control.Height));
}

// The whole-pixel rectangle of a child widget: edges rounded to the nearest pixel, as the toolkit places
// controls.
inline QRect widgetRect(const Control& control)
{
    const QRectF r = pixelRect(control);
    const int left = qRound(r.left());
    const int top = qRound(r.top());
    return QRect(left, top, qRound(r.right()) - left, qRound(r.bottom()) - top);
}

} // namespace blokko::view
