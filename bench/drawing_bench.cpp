// The cost of drawing: each window painted whole into an image at device pixel ratio 1 and 2, and the
// repaint that one play tick asks for. The game window is in play, its well half full, a piece falling.
// Each benchmark checks off the clock that it drew what it claims to draw.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/gui_support.h"
#include "desktop/difficulty_window.h"
#include "desktop/fonts.h"
#include "desktop/game_window.h"

namespace {

using blokko::TimerId;
using blokko::view::DesktopApp;

// The falling piece is put back high in the well before each measured tick, above the pile, so every
// measured tick is a plain falling tick. The desktop program hands its engine out read-only; the
// engine object itself is not const.
constexpr float HighInTheWell = 0.0f;
constexpr int HalfTheWell = 100; // of the 200 cells of the well

blokko::Program& engineOf(DesktopApp& app)
{
    return const_cast<blokko::Program&>(app.program());
}

qint64 areaOf(const QRegion& region)
{
    qint64 area = 0;
    for (const QRect& r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

// One game at "Easy", built once: played until half the cells of the well are fixed. It goes before
// the application does (main), as its windows need the application to close.
std::unique_ptr<blokko::test::DesktopSession> session;

DesktopApp& scene()
{
    if (!session) {
        session = blokko::bench::sameGameEveryRun();
        if (!session->startPlaying(1) || !blokko::bench::fillWell(session->app(), HalfTheWell)) {
            std::fprintf(stderr, "drawing_bench: could not reach a half-full well\n");
            std::exit(1);
        }
        QCoreApplication::processEvents();
    }
    return session->app();
}

QImage blankImage(const QWidget& widget, double ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    return image;
}

// Every pixel painted: nothing of the magenta fill left.
bool paintedWhole(const QImage& image)
{
    const QRgb unpainted = QColor(Qt::magenta).rgba();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == unpainted)
                return false;
    }
    return true;
}

void renderWhole(benchmark::State& state, QWidget& widget)
{
    const double ratio = static_cast<double>(state.range(0));
    QImage image = blankImage(widget, ratio);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        widget.render(&image);
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    if (!paintedWhole(image))
        state.SkipWithError("the window was not painted whole");
    state.counters["area_px"] = static_cast<double>(image.width()) * image.height();
}

void gameWindowWhole(benchmark::State& state)
{
    DesktopApp& app = scene();
    const auto& c = app.program().form1.controls();
    if (blokko::bench::fixedCells(c) < HalfTheWell || blokko::bench::gameOver(app)) {
        state.SkipWithError("the game is not in play with a half-full well");
        return;
    }
    renderWhole(state, *app.gameWindow());
    state.counters["fixed_cells"] = blokko::bench::fixedCells(c);
    state.counters["pile_rows"] = blokko::bench::pileHeight(c);
}
BENCHMARK(gameWindowWhole)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMicrosecond);

void difficultyWindowWhole(benchmark::State& state)
{
    renderWhole(state, *scene().difficultyWindow());
}
BENCHMARK(difficultyWindowWhole)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Moves the piece back up, then makes one plain falling tick; the repaint it asked for is returned.
QRegion fallingTick(DesktopApp& app, bool& plain)
{
    blokko::Form1& form1 = engineOf(app).form1;
    form1.down = HighInTheWell;
    app.tick(TimerId::Timer1); // the drawing record follows the piece up
    QCoreApplication::processEvents();
    app.tick(TimerId::Timer1);
    plain = !form1.landed && !blokko::bench::gameOver(app);
    return app.gameWindow()->lastRepaint();
}

// What one play tick repaints, painted alone: the region the game window asked for after the tick.
void playTickRepaint(benchmark::State& state)
{
    DesktopApp& app = scene();
    blokko::view::GameWindow& window = *app.gameWindow();
    const double ratio = static_cast<double>(state.range(0));
    QImage image = blankImage(window, ratio);
    qint64 area = 0;
    for (auto _ : state) {
        bool plain = false;
        const QRegion region = fallingTick(app, plain);
        if (!plain || region.isEmpty()) {
            state.SkipWithError("the tick was not a plain falling tick with something to repaint");
            break;
        }
        area += areaOf(region);
        const auto start = std::chrono::steady_clock::now();
        window.render(&image, region.boundingRect().topLeft(), region);
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        QCoreApplication::processEvents();
    }
    state.counters["repaint_px"] = benchmark::Counter(static_cast<double>(area), benchmark::Counter::kAvgIterations);
    state.counters["area_px"] = static_cast<double>(window.width()) * window.height();
}
BENCHMARK(playTickRepaint)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// One play tick as the program runs it: the tick, then the event loop paints the region into the
// window's backing store.
void playTickThroughEventLoop(benchmark::State& state)
{
    DesktopApp& app = scene();
    PaintCounter counter(*app.gameWindow());
    int ticks = 0;
    for (auto _ : state) {
        blokko::Form1& form1 = engineOf(app).form1;
        form1.down = HighInTheWell;
        app.tick(TimerId::Timer1);
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        app.tick(TimerId::Timer1);
        QCoreApplication::processEvents();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        ++ticks;
        if (form1.landed || blokko::bench::gameOver(app)) {
            state.SkipWithError("the tick was not a plain falling tick");
            break;
        }
    }
    if (counter.paints < ticks)
        state.SkipWithError("the event loop did not repaint after every tick");
}
BENCHMARK(playTickThroughEventLoop)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    blokko::view::useLookAlikeFontsOnly(); // as the program does
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    session.reset();
    benchmark::Shutdown();
    return 0;
}
