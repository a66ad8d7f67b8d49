#include "tests/support/desktop_harness.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "tests/support/engine_harness.h"
#include "tools/state_dump.h"
#include "tools/trace_script.h"

namespace blokko::test {

namespace {

std::unique_ptr<RandomSource> queuedPieces(std::initializer_list<int> pieces, int more, int filler)
{
    auto random = std::make_unique<QueuedRandom>();
    for (int piece : pieces)
        random->push(drawFor(piece));
    for (int i = 0; i < more; ++i)
        random->push(drawFor(filler));
    return random;
}

} // namespace

DesktopSession::DesktopSession(std::unique_ptr<RandomSource> random)
    : app_(std::make_unique<view::DesktopApp>(std::move(random)))
{
    app_->start();
}

DesktopSession::DesktopSession(std::initializer_list<int> pieces, int more, int filler)
    : DesktopSession(queuedPieces(pieces, more, filler))
{
}

DesktopSession::~DesktopSession() = default;

void DesktopSession::chooseAndGo(int difficulty)
{
    app_->difficultyWindow()->scrollBar()->setValue(difficulty);
    QTest::mouseClick(app_->difficultyWindow()->goButton(), Qt::LeftButton);
}

void DesktopSession::clickPause()
{
    QTest::mouseClick(app_->gameWindow()->pauseButton(), Qt::LeftButton);
}

void DesktopSession::clickGameOver()
{
    QTest::mouseClick(app_->gameWindow()->gameOverButton(), Qt::LeftButton);
}

bool DesktopSession::tick(TimerId id)
{
    if (!app_->timer(id).isActive())
        return false;
    app_->tick(id);
    return true;
}

bool DesktopSession::tickUntil(TimerId id, const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit && !done(); ++i)
        if (!tick(id))
            break;
    return done();
}

bool DesktopSession::tickUntilStopped(TimerId id, int limit)
{
    for (int i = 0; i < limit && tick(id); ++i) { }
    return !app_->timer(id).isActive();
}

bool DesktopSession::finishIntro()
{
    tickUntilStopped(TimerId::Timer3, 100);
    tickUntilStopped(TimerId::Timer2, 100);
    return app_->timer(TimerId::Timer1).isActive() && !app_->timer(TimerId::Timer2).isActive();
}

bool DesktopSession::startPlaying(int difficulty)
{
    chooseAndGo(difficulty);
    return finishIntro();
}

void pressKey(QWidget* target, int qtKey, bool autoRepeat)
{
    const auto key = static_cast<Qt::Key>(qtKey);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &release);
}

QList<QWidget*> keyTargets(QWidget* gameWindow)
{
    QList<QWidget*> targets{gameWindow};
    targets += gameWindow->findChildren<QWidget*>();
    return targets;
}

std::string stateOf(const Program& program)
{
    return "load " + std::to_string(program.form1.loadCount()) + "\n" + stateDump(program);
}

QString timerMirrorDifference(const view::DesktopApp& app)
{
    const Form1& form1 = app.program().form1;
    for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3}) {
        const QTimer& qtimer = app.timer(id);
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

QString visibilityDifference(const view::DesktopApp& app)
{
    const Program& program = app.program();
    const bool gameShown = program.form1.loaded() && program.form1.controls().Visible;
    view::GameWindow* game = app.gameWindow();
    if (program.form1.loaded() != (game != nullptr))
        return QStringLiteral("engine loaded=%1, game window present=%2")
            .arg(program.form1.loaded())
            .arg(game != nullptr);
    if (game && game->isVisible() != gameShown)
        return QStringLiteral("game window shown=%1, engine Visible=%2").arg(game->isVisible()).arg(gameShown);
    if (app.difficultyWindow()->isVisible() != program.form2.Visible)
        return QStringLiteral("difficulty window shown=%1, engine Visible=%2")
            .arg(app.difficultyWindow()->isVisible())
            .arg(program.form2.Visible);
    return {};
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

} // namespace blokko::test
