#pragma once
// The desktop program: owns the engine's Program and its random source, both windows and one QTimer per
// engine timer. Every event (click, scroll, key, tick, close) goes to the engine's handler; afterwards
// the windows and timers are brought in line with what the engine now says.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/program/program.h"
#include "engine/rules/random.h"
#include "scene/program_scene.h"

namespace blokko::view {

class DifficultyWindow;
class GameWindow;

class DesktopApp : public QObject {
    Q_OBJECT
public:
    // Pieces drawn from the time of day, as the game does.
    DesktopApp();
    // Pieces drawn from the given source (tests choose their pieces).
    explicit DesktopApp(std::unique_ptr<RandomSource> random);
    ~DesktopApp() override;
    DesktopApp(const DesktopApp&) = delete;
    DesktopApp& operator=(const DesktopApp&) = delete;

    // The application-wide settings the program runs with; call once the QApplication exists.
    static void prepareApplication();

    // Program start: shows the difficulty window.
    void start();
    // Starts the program and runs the event loop until the player ends it; returns the exit status.
    int run();

    const Program& program() const { return program_; }
    const scene::ProgramScene& scene() const { return scene_; }
    DifficultyWindow* difficultyWindow() const { return difficulty_.get(); }
    // The game window of the current load, or null while the game window is not loaded.
    GameWindow* gameWindow() const;
    const QTimer& timer(TimerId id) const { return timers_[index(id)].timer; }

    // One tick of an engine timer: what each QTimer's timeout does.
    void tick(TimerId id);

signals:
    // The player ended the program (closed a window that ends it).
    void quitRequested();

protected:
    // Key presses for either window, whichever of its widgets has the focus, go to the program.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MirroredTimer {
        QTimer timer;
        std::uint64_t generation = 0; // of the scene's timer it runs
    };

    static std::size_t index(TimerId id) { return static_cast<std::size_t>(id); }

    void afterEvent();
    void syncGameWindow();
    void syncVisibility();
    void syncTimers();
    void retireGameWindow();
    void placeDifficultyWindow();
    void placeGameWindow();

    void goClicked();
    void scrolled(int value);
    void pauseClicked();
    void gameOverClicked();
    void gameWindowCloseRequested();
    void difficultyWindowCloseRequested();
    void closeRequested(WindowId window);

    std::unique_ptr<RandomSource> random_;
    Program program_;
    scene::ProgramScene scene_;
    std::unique_ptr<DifficultyWindow> difficulty_;
    QPointer<GameWindow> game_;
    std::vector<QPointer<GameWindow>> retired_;
    QPoint lastGamePosition_;
    bool gamePlaced_ = false;
    std::array<MirroredTimer, 3> timers_;
};

} // namespace blokko::view
