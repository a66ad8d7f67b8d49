#pragma once
// The desktop tests' pixel reading: at logical positions, for any device pixel ratio. The program and
// the player's steps come from tests/support/desktop_harness.h.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <vector>

#include "engine/rules/form1.h"
#include "tests/support/desktop_harness.h"

class QWidget;

namespace blokko::test {

// The widget rendered into an image of the given device pixel ratio.
QImage snapshot(QWidget& widget, qreal devicePixelRatio);
// The pixel under a logical position.
QColor pixelAt(const QImage& image, QPointF logical);
// Every colour found in a logical rectangle.
std::vector<QRgb> coloursIn(const QImage& image, const QRectF& logical);
// The share (0 to 1) of the rectangle's pixels with exactly this colour.
double shareOf(const QImage& image, const QRectF& logical, QColor colour);

// The black lines seen in a rectangle, as flags: rows, columns, diagonals going down to the right and
// up to the right. A hatch is told by which of these it draws.
enum HatchLines : int { NoLines = 0, RowLines = 1, ColumnLines = 2, DownLines = 4, UpLines = 8, AllBlack = 16 };
int hatchLinesIn(const QImage& image, const QRectF& logical);

// The logical-pixel rectangle of a control, straight from its twips.
QRectF pixels(const Control& control);

// Whether any shown control of the game window covers a logical point.
bool anythingAt(const Form1Controls& c, QPointF logical);

} // namespace blokko::test
