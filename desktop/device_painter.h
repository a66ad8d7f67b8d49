#pragma once
// Paints the scene's device pixels with a QPainter. While it lives, the painter works in the window's
// device pixels (the device pixel ratio undone), so every rectangle the scene gives lands on exactly
// those pixels and Qt rounds nothing of its own.

#include <QColor>
#include <QPoint>
#include <QRect>

#include "scene/pixels.h"

class QPainter;

namespace blokko::view {

// A resolved scene colour as a QColor.
QColor toQColor(scene::Rgb rgb);

class DevicePainter {
public:
    // `origin`: where the painted widget stands in its window, in logical pixels, so that coordinates are
    // the window's device pixels.
    explicit DevicePainter(QPainter& painter, QPoint origin = {});
    ~DevicePainter();
    DevicePainter(const DevicePainter&) = delete;
    DevicePainter& operator=(const DevicePainter&) = delete;

    // Device pixels a logical pixel of the device painted on.
    double ratio() const { return ratio_; }
    // The window's device pixels that a logical rectangle of the widget reaches into.
    scene::PixelRect reach(const QRect& logical) const;

    void fill(const scene::PixelRect& area, scene::Rgb colour);
    // The hatch's tile in black over `area`, anchored at the window's top left corner.
    void hatch(const scene::PixelRect& area, Hatch pattern);
    // A cell's or a filler's square with its border.
    void square(const scene::SquarePixels& square, scene::Rgb border);
    // Nothing is painted outside `area` from now on.
    void clip(const scene::PixelRect& area);

private:
    QPainter& painter_;
    QPoint origin_;
    double ratio_ = 1;
};

} // namespace blokko::view
