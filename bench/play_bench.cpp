// A minute of play in the real program, without a screen: "Easy" chosen on the scroll bar, keys sent
// to the game window as a player presses them (at most ten a second), "Game Over" clicked whenever a
// game ends. Reports how evenly the play tick and the parade tick come, and the CPU time spent.
// Usage: blokko_play_bench [SECONDS]

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "bench/gui_support.h"
#include "desktop/desktop_app.h"
#include "desktop/fonts.h"
#include "desktop/game_window.h"

namespace {

using blokko::TimerId;
using Clock = std::chrono::steady_clock;

constexpr int PlaySecondsByDefault = 60;
constexpr int FastestKeyMilliseconds = 100; // ten keys a second at most
constexpr int SlowestKeyMilliseconds = 300;

double millisecondsBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Nearest-rank percentile.
double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

double mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.empty() ? NAN : sum / static_cast<double>(values.size());
}

// Ticks of one timer, each with the load of the game window it ticked in; intervals are taken only
// between ticks of the same load.
struct TickLog {
    std::vector<std::pair<std::uint64_t, Clock::time_point>> ticks;

    std::vector<double> intervals(std::uint64_t onlyLoad = 0) const
    {
        std::vector<double> result;
        for (std::size_t i = 1; i < ticks.size(); ++i)
            if (ticks[i].first == ticks[i - 1].first && (onlyLoad == 0 || ticks[i].first == onlyLoad))
                result.push_back(millisecondsBetween(ticks[i - 1].second, ticks[i].second));
        return result;
    }
};

// Counts the key presses that reach the game window.
class KeyCounter : public QObject {
public:
    explicit KeyCounter(const blokko::view::DesktopApp& app) : app_(app) { qApp->installEventFilter(this); }
    int delivered = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && watched == app_.gameWindow())
            ++delivered;
        return false;
    }

private:
    const blokko::view::DesktopApp& app_;
};

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int playSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : PlaySecondsByDefault;

    blokko::view::useLookAlikeFontsOnly(); // as the program does
    QApplication application(argc, argv);
    blokko::view::DesktopApp::prepareApplication();
    const auto session = blokko::bench::sameGameEveryRun();
    blokko::view::DesktopApp* app = &session->app();
    const blokko::Form1& form1 = app->program().form1;
    KeyCounter keys(*app);

    TickLog timer1;
    TickLog timer2;
    int games = 1;
    int sidewaysMoves = 0;
    int lastAcross = 0;
    std::string lastBlocks;
    bool restartPending = false;

    QObject::connect(&app->timer(TimerId::Timer2), &QTimer::timeout,
        [&] { timer2.ticks.emplace_back(form1.loadCount(), Clock::now()); });
    QObject::connect(&app->timer(TimerId::Timer1), &QTimer::timeout, [&] {
        timer1.ticks.emplace_back(form1.loadCount(), Clock::now());
        if (!form1.loaded())
            return;
        // A key that moved the piece shows at the next tick: same piece, another column.
        if (form1.blocks == lastBlocks && form1.across != lastAcross)
            ++sidewaysMoves;
        lastBlocks = form1.blocks;
        lastAcross = form1.across;
        if (blokko::bench::gameOver(*app) && !restartPending) {
            restartPending = true;
            QTimer::singleShot(0, [&] {
                restartPending = false;
                if (app->gameWindow() && app->gameWindow()->gameOverButton()->isVisible()) {
                    app->gameWindow()->gameOverButton()->click();
                    ++games;
                }
            });
        }
    });

    // The player: a key every 100 to 300 ms while a piece falls.
    std::mt19937 player(11);
    QTimer keyTimer;
    keyTimer.setSingleShot(true);
    keyTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may come early: more than ten keys a second
    QObject::connect(&keyTimer, &QTimer::timeout, [&] {
        if (app->gameWindow() && app->gameWindow()->isVisible() && app->timer(TimerId::Timer1).isActive()) {
            static constexpr Qt::Key Keys[] = {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right,
                Qt::Key_Right, Qt::Key_A, Qt::Key_A, Qt::Key_S, Qt::Key_Down};
            const Qt::Key key = Keys[player() % std::size(Keys)];
            QCoreApplication::postEvent(app->gameWindow(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        }
        keyTimer.start(FastestKeyMilliseconds +
            static_cast<int>(player() % (SlowestKeyMilliseconds - FastestKeyMilliseconds + 1)));
    });

    const Clock::time_point start = Clock::now();
    const double cpuAtStart = cpuSeconds();
    session->chooseAndGo(1);
    keyTimer.start(FastestKeyMilliseconds);
    // exit, not quit: quit would first ask the windows to close, and the game's windows decide that.
    QTimer::singleShot(playSeconds * 1000, Qt::PreciseTimer, &application, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    const double cpu = cpuSeconds() - cpuAtStart;
    const double wall = millisecondsBetween(start, Clock::now()) / 1000.0;

    const std::vector<double> play = timer1.intervals();
    const std::vector<double> parade = timer2.intervals(1);
    const auto paradeTicks =
        std::count_if(timer2.ticks.begin(), timer2.ticks.end(), [](const auto& tick) { return tick.first == 1; });

    std::printf("RESULT\tplay_seconds\t%.3f\n", wall);
    std::printf("RESULT\tgames\t%d\n", games);
    std::printf("RESULT\tkeys_delivered\t%d\n", keys.delivered);
    std::printf("RESULT\tsideways_moves\t%d\n", sidewaysMoves);
    std::printf("RESULT\ttimer1_ticks\t%zu\n", timer1.ticks.size());
    std::printf("RESULT\ttimer1_mean_ms\t%.3f\n", mean(play));
    std::printf("RESULT\ttimer1_p99_ms\t%.3f\n", percentile(play, 99));
    std::printf("RESULT\ttimer1_max_ms\t%.3f\n", percentile(play, 100));
    std::printf("RESULT\tparade_ticks\t%zu\n", static_cast<std::size_t>(paradeTicks));
    std::printf("RESULT\tparade_mean_ms\t%.3f\n", mean(parade));
    std::printf("RESULT\tparade_p99_ms\t%.3f\n", percentile(parade, 99));
    std::printf("RESULT\tcpu_percent\t%.3f\n", 100.0 * cpu / wall);

    // What the figures claim: the minute was play, driven by keys that the game acted on.
    if (play.size() < static_cast<std::size_t>(playSeconds) * 10 || keys.delivered == 0 || sidewaysMoves == 0) {
        std::fprintf(stderr, "play_bench: the run was not a minute of play driven by keys\n");
        return 1;
    }
    return 0;
}
