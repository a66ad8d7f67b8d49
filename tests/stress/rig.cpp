#include "tests/stress/rig.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <fstream>
#include <malloc.h>
#include <sstream>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "desktop/key_codes.h"
#include "tools/state_dump.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BLOKKO_STRESS_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(BLOKKO_STRESS_ASAN)
#define BLOKKO_STRESS_ASAN 1
#endif
#ifdef BLOKKO_STRESS_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace blokko::stress {

std::unique_ptr<RandomSource> countingRandom()
{
    return std::make_unique<TimeSeededRandom>([loads = 0]() mutable { return 1000 + 7 * loads++; });
}

Rig::Rig()
    : app_(std::make_unique<view::DesktopApp>(countingRandom())),
      twinRandom_(countingRandom()),
      twin_(std::make_unique<Program>(*twinRandom_))
{
    // Ticks of the real QTimers reach the twin too, after the desktop program's own handler.
    for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3})
        QObject::connect(&app_->timer(id), &QTimer::timeout, app_.get(), [this, id] { twin_->tick(id); });
    app_->start();
}

Rig::~Rig() = default;

void Rig::endProgram()
{
    app_.reset();
}

void Rig::chooseAndGo(int difficulty)
{
    view::DifficultyWindow* window = app_->difficultyWindow();
    window->scrollBar()->setValue(difficulty);
    twin_->scrollTo(difficulty);
    QTest::mouseClick(window->goButton(), Qt::LeftButton);
    twin_->clickGo();
}

void Rig::clickPause()
{
    QTest::mouseClick(app_->gameWindow()->pauseButton(), Qt::LeftButton);
    twin_->clickPause();
}

void Rig::clickGameOver()
{
    QTest::mouseClick(app_->gameWindow()->gameOverButton(), Qt::LeftButton);
    twin_->clickGameOver();
}

void Rig::holdKey(QWidget* target, int qtKey, int repeats, Delivery delivery)
{
    const auto key = static_cast<Qt::Key>(qtKey);
    for (int i = 0; i <= repeats; ++i) {
        // The system repeats a held key as press and release pairs, every one but the first marked.
        const bool autoRepeat = i > 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(target, &press);
        if (delivery == Delivery::ReachesGame)
            twin_->keyDown(view::virtualKeyCode(qtKey));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(target, &release);
    }
}

namespace {

void closeWindow(QWidget* window, CloseBy by)
{
    if (by == CloseBy::Method) {
        window->close();
        return;
    }
    QCloseEvent event;
    QApplication::sendEvent(window, &event);
}

} // namespace

void Rig::closeDifficultyWindow(CloseBy by)
{
    closeWindow(app_->difficultyWindow(), by);
    if (twin_->form1.loaded())
        twin_->hideForm2();
}

void Rig::closeGameWindow(CloseBy by)
{
    closeWindow(app_->gameWindow(), by);
}

bool Rig::tick(TimerId id)
{
    if (!app_->timer(id).isActive())
        return false;
    app_->tick(id);
    twin_->tick(id);
    return true;
}

bool Rig::tickUntilStopped(TimerId id, int limit)
{
    for (int i = 0; i < limit && tick(id); ++i) { }
    return !app_->timer(id).isActive();
}

std::string stateOf(const Program& program)
{
    return "load " + std::to_string(program.form1.loadCount()) + "\n" + stateDump(program);
}

namespace {

QString firstDifference(const std::string& ours, const std::string& theirs)
{
    std::istringstream a(ours);
    std::istringstream b(theirs);
    std::string lineA;
    std::string lineB;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return {};
        if (!moreA || !moreB || lineA != lineB)
            return QStringLiteral("desktop: %1\ntwin:    %2")
                .arg(QString::fromStdString(moreA ? lineA : "(end)"), QString::fromStdString(moreB ? lineB : "(end)"));
    }
}

} // namespace

QString Rig::twinDifference() const
{
    return firstDifference(stateOf(app_->program()), stateOf(*twin_));
}

QString Rig::timerMirrorDifference() const
{
    const Form1& form1 = app_->program().form1;
    for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3}) {
        const QTimer& qtimer = app_->timer(id);
        const bool ticking = form1.loaded() && form1.controls().timer(id).ticking();
        const int n = static_cast<int>(id) + 1;
        if (qtimer.isActive() != ticking)
            return QStringLiteral("Timer%1: QTimer active=%2, engine ticking=%3")
                .arg(n)
                .arg(qtimer.isActive())
                .arg(ticking);
        if (ticking && qtimer.interval() != form1.controls().timer(id).Interval)
            return QStringLiteral("Timer%1: QTimer interval %2, engine %3")
                .arg(n)
                .arg(qtimer.interval())
                .arg(form1.controls().timer(id).Interval);
    }
    return {};
}

QString Rig::visibilityDifference() const
{
    const Program& program = app_->program();
    const bool gameShown = program.form1.loaded() && program.form1.controls().Visible;
    view::GameWindow* game = app_->gameWindow();
    if (program.form1.loaded() != (game != nullptr))
        return QStringLiteral("engine loaded=%1, game window present=%2")
            .arg(program.form1.loaded())
            .arg(game != nullptr);
    if (game && game->isVisible() != gameShown)
        return QStringLiteral("game window shown=%1, engine Visible=%2").arg(game->isVisible()).arg(gameShown);
    if (app_->difficultyWindow()->isVisible() != program.form2.Visible)
        return QStringLiteral("difficulty window shown=%1, engine Visible=%2")
            .arg(app_->difficultyWindow()->isVisible())
            .arg(program.form2.Visible);
    return {};
}

QList<QWidget*> keyTargets(QWidget* gameWindow)
{
    QList<QWidget*> targets{gameWindow};
    targets += gameWindow->findChildren<QWidget*>();
    return targets;
}

bool runEventsUntil(const std::function<bool()>& done, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Memory readMemory()
{
    Memory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            memory.residentKb = std::stol(line.substr(6));
#ifdef BLOKKO_STRESS_ASAN
    memory.heapBytes = static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    memory.heapBytes = static_cast<long long>(info.uordblks + info.hblkhd);
#endif
    return memory;
}

bool underAddressSanitizer()
{
#ifdef BLOKKO_STRESS_ASAN
    return true;
#else
    return false;
#endif
}

} // namespace blokko::stress
