#include "desktop/desktop_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

#include "desktop/accessibility.h"
#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "desktop/key_codes.h"

namespace blokko::view {

namespace {

constexpr TimerId TimerIds[] = {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3};
constexpr int WindowGap = 8;

QRect screenArea(const QWidget* near)
{
    const QScreen* screen = near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

DesktopApp::DesktopApp() : DesktopApp(std::make_unique<TimeSeededRandom>())
{
}

DesktopApp::DesktopApp(std::unique_ptr<RandomSource> random)
    : random_(std::move(random)),
      program_(*random_),
      scene_(program_),
      difficulty_(std::make_unique<DifficultyWindow>(scene_.form2()))
{
    for (TimerId id : TimerIds) {
        QTimer& timer = timers_[index(id)].timer;
        // The parade ticks every 1 or 2 ms: a coarse timer would stretch it.
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, this, [this, id] { tick(id); });
    }
    connect(difficulty_.get(), &DifficultyWindow::goClicked, this, &DesktopApp::goClicked);
    connect(difficulty_.get(), &DifficultyWindow::scrolled, this, &DesktopApp::scrolled);
    connect(difficulty_.get(), &DifficultyWindow::closeRequested, this, &DesktopApp::difficultyWindowCloseRequested);
    qApp->installEventFilter(this);
    installAccessibleWindows();
}

DesktopApp::~DesktopApp()
{
    qApp->removeEventFilter(this);
    for (auto& timer : timers_)
        timer.timer.stop();
    for (QPointer<GameWindow>& old : retired_)
        delete old.data();
    delete game_.data();
}

GameWindow* DesktopApp::gameWindow() const
{
    return game_.data();
}

void DesktopApp::start()
{
    afterEvent();
}

void DesktopApp::prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Blokko"));
    QApplication::setApplicationVersion(QStringLiteral(BLOKKO_VERSION));
    // Lets the desktop match the windows with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.blokko.Blokko"));
    // Hiding a window is part of play; only the windows' own close rules end the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

int DesktopApp::run()
{
    // Not QCoreApplication::quit(): that asks every window to close first, and the windows leave
    // closing to the game, which would only ask to quit again. Queued, so the close event that asked
    // for the end is over before the loop stops.
    connect(
        this, &DesktopApp::quitRequested, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    start();
    return QCoreApplication::exec();
}

void DesktopApp::tick(TimerId id)
{
    program_.tick(id);
    afterEvent();
}

void DesktopApp::goClicked()
{
    program_.clickGo();
    afterEvent();
}

void DesktopApp::scrolled(int value)
{
    program_.scrollTo(value);
    afterEvent();
}

void DesktopApp::pauseClicked()
{
    program_.clickPause();
    afterEvent();
}

void DesktopApp::gameOverClicked()
{
    program_.clickGameOver();
    afterEvent();
}

void DesktopApp::gameWindowCloseRequested()
{
    closeRequested(WindowId::Form1);
}

void DesktopApp::difficultyWindowCloseRequested()
{
    closeRequested(WindowId::Form2);
}

// The program says what closing means; a window that only hides follows at once.
void DesktopApp::closeRequested(WindowId window)
{
    switch (program_.closeWindow(window)) {
    case CloseAction::EndProgram:
        emit quitRequested();
        break;
    case CloseAction::HideWindow:
        afterEvent();
        break;
    case CloseAction::Nothing:
        break;
    }
}

bool DesktopApp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    const QWidget* window = widget->window();
    const bool inGame = game_ && window == game_.data();
    if (!inGame && window != difficulty_.get())
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    const bool meant =
        program_.keyPress(inGame ? WindowId::Form1 : WindowId::Form2, gameKeyCode(key), key.isAutoRepeat());
    if (meant)
        afterEvent();
    // No widget of the game window acts on keys of its own; the difficulty window's controls take the
    // keys the program leaves (arrows, Tab, Space).
    return inGame || meant;
}

void DesktopApp::afterEvent()
{
    scene_.update();
    syncGameWindow();
    difficulty_->sync();
    syncVisibility();
    syncTimers();
}

void DesktopApp::syncGameWindow()
{
    const scene::Window& form1 = scene_.form1();
    if (game_ && game_->load() != form1.load)
        retireGameWindow();
    if (!game_ && form1.load != 0) {
        game_ = new GameWindow(form1);
        connect(game_, &GameWindow::pauseClicked, this, &DesktopApp::pauseClicked);
        connect(game_, &GameWindow::gameOverClicked, this, &DesktopApp::gameOverClicked);
        connect(game_, &GameWindow::closeRequested, this, &DesktopApp::gameWindowCloseRequested);
    }
    if (game_)
        game_->sync();
}

// The click that unloaded the window may still be on its way out of one of its buttons, so the old
// window goes at the next turn of the event loop.
void DesktopApp::retireGameWindow()
{
    GameWindow* old = game_.data();
    game_ = nullptr;
    old->retire();
    if (old->isVisible()) {
        lastGamePosition_ = old->pos();
        old->hide();
    }
    old->deleteLater();
    retired_.erase(
        std::remove_if(retired_.begin(), retired_.end(), [](const auto& p) { return p.isNull(); }), retired_.end());
    retired_.emplace_back(old);
}

void DesktopApp::syncVisibility()
{
    const bool gameShown = game_ && scene_.form1().shown;
    const bool difficultyShown = scene_.form2().shown;
    if (game_ && gameShown != game_->isVisible()) {
        if (gameShown) {
            placeGameWindow();
            game_->show();
        } else {
            game_->hide();
        }
    }
    if (difficultyShown != difficulty_->isVisible()) {
        if (difficultyShown) {
            placeDifficultyWindow();
            difficulty_->show();
            difficulty_->activateWindow();
        } else {
            difficulty_->hide();
            if (gameShown)
                game_->activateWindow();
        }
    }
}

void DesktopApp::placeGameWindow()
{
    if (gamePlaced_) {
        game_->move(lastGamePosition_);
        return;
    }
    const QRect area = screenArea(difficulty_.get());
    QRect frame(QPoint(), game_->size());
    frame.moveCenter(area.center());
    game_->move(frame.topLeft());
    lastGamePosition_ = frame.topLeft();
    gamePlaced_ = true;
}

// Beside the game window when it is shown, so the next game stays in view while the player chooses.
void DesktopApp::placeDifficultyWindow()
{
    const QRect area = screenArea(game_ ? static_cast<QWidget*>(game_.data()) : difficulty_.get());
    QRect frame(QPoint(), difficulty_->size());
    frame.moveCenter(area.center());
    if (game_ && game_->isVisible()) {
        const QRect game = game_->frameGeometry();
        frame.moveTop(game.top());
        if (game.right() + WindowGap + frame.width() <= area.right())
            frame.moveLeft(game.right() + WindowGap);
        else if (game.left() - WindowGap - frame.width() >= area.left())
            frame.moveRight(game.left() - WindowGap);
    }
    difficulty_->move(frame.topLeft());
}

// The scene says when a timer starts afresh (a new load, a new interval or enabled state).
void DesktopApp::syncTimers()
{
    for (TimerId id : TimerIds) {
        MirroredTimer& t = timers_[index(id)];
        const scene::TimerState& engine = scene_.timers()[index(id)];
        if (t.generation == engine.generation)
            continue;
        t.generation = engine.generation;
        if (engine.ticking())
            t.timer.start(engine.interval);
        else
            t.timer.stop();
    }
}

} // namespace blokko::view
