#pragma once
// Shared pieces of the desktop tests: a program whose pieces the test chooses, the player's steps that
// lead to play, and pixel reading at logical positions for any device pixel ratio.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <functional>
#include <initializer_list>
#include <memory>

#include "desktop/desktop_app.h"
#include "tools/trace_script.h"

class QWidget;

namespace blokko::guitest {

// The draw that makes Int(draw * 7) + 1 give this standard piece.
constexpr float drawFor(int piece)
{
    return (static_cast<float>(piece) - 0.5f) / 7.0f;
}

// The desktop program with queued piece draws.
class Session {
public:
    explicit Session(std::initializer_list<int> pieces = {}, int morePieces = 0, int filler = 1);

    view::DesktopApp& app() { return *app_; }
    const Program& program() const { return app_->program(); }
    const Form1& form1() const { return app_->program().form1; }
    const Form1Controls& controls() const { return app_->program().form1.controls(); }

    // One tick of an engine timer, only while its QTimer runs (as the clock would deliver it).
    bool tickIfRunning(TimerId id);
    // Ticks until `done` or until the timer stops; false when `limit` ticks were not enough.
    bool tickUntil(TimerId id, const std::function<bool()>& done, int limit);

    // The player's way in: choose on the scroll bar, press "GO!".
    void chooseAndGo(int difficulty);
    void openCurtain();
    void finishParade();
    // GO, curtain open, parade over: the first piece is falling.
    void startPlaying(int difficulty);

private:
    QueuedRandom* random_;
    std::unique_ptr<view::DesktopApp> app_;
};

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

} // namespace blokko::guitest
