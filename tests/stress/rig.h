#pragma once
// The desktop program under stress, with a twin: a headless engine that receives, by the test's own
// account, exactly the events the desktop program should have passed on. After every event both must
// be in the same state, so a key lost, doubled or sent to a retired window shows at once.

#include <QString>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "desktop/desktop_app.h"
#include "engine/program/program.h"
#include "engine/rules/random.h"

class QWidget;

namespace blokko::stress {

// Whether a key sent to a widget should reach the game.
enum class Delivery { ReachesGame, Ignored };

// How a window is closed: QWidget::close(), or a close event sent to it as the window system does.
enum class CloseBy { Method, Event };

// The game's own random source, seeded by a clock that counts the loads instead of reading the time,
// so every game differs from the last yet a run repeats exactly.
std::unique_ptr<RandomSource> countingRandom();

class Rig {
public:
    Rig();
    ~Rig();
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    view::DesktopApp& app() { return *app_; }
    const Program& program() const { return app_->program(); }
    const Form1& form1() const { return app_->program().form1; }
    const Form1Controls& controls() const { return app_->program().form1.controls(); }
    const Program& twin() const { return *twin_; }

    // Ends the desktop program as the event loop's end would: the app goes, the twin stays.
    void endProgram();

    // --- Events, each handed to the desktop program the player's way and to the twin directly ---
    void chooseAndGo(int difficulty);
    void clickPause();
    void clickGameOver();
    // One key held down on `target`: a first press, then `repeats` auto-repeats, each with its release.
    void holdKey(QWidget* target, int qtKey, int repeats, Delivery delivery);
    // Closes the difficulty window. With a game loaded it only steps aside, so the twin hides it too;
    // before the first game closing it ends the program, which the twin does not model.
    void closeDifficultyWindow(CloseBy by = CloseBy::Method);
    // Closes the game window; that ends the program, and the twin sees no event.
    void closeGameWindow(CloseBy by);
    // One tick of an engine timer, only while its QTimer runs (as the clock would deliver it).
    bool tick(TimerId id);
    // Ticks until `done` holds or the timer stops; false when neither happened within `limit` ticks.
    template <typename Done>
    bool tickUntil(TimerId id, Done done, int limit)
    {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            if (!tick(id))
                return done();
        }
        return done();
    }

    // Ticks until the timer stops; false when it still runs after `limit` ticks.
    bool tickUntilStopped(TimerId id, int limit);

    // --- Checks; each returns an empty text when all is well, else what differs ---
    // The desktop program's engine equals the twin.
    QString twinDifference() const;
    // Each QTimer runs exactly when its engine timer ticks, at the engine's interval.
    QString timerMirrorDifference() const;
    // Each shown window is shown by the engine and the other way round.
    QString visibilityDifference() const;

private:
    std::unique_ptr<view::DesktopApp> app_;
    std::unique_ptr<RandomSource> twinRandom_;
    std::unique_ptr<Program> twin_;
};

// The engine's whole state as text (both windows, variables, cells, controls).
std::string stateOf(const Program& program);

// Every game window widget that may hold the keyboard focus: the window and each of its children.
QList<QWidget*> keyTargets(QWidget* gameWindow);

// Runs the event loop, real timers included, until `done` holds or `milliseconds` have passed;
// returns whether `done` held.
bool runEventsUntil(const std::function<bool()>& done, int milliseconds);

// Deletes what deleteLater left, then lets any other posted event through.
void settle();

// Memory readings for the restart suite.
struct Memory {
    long residentKb = 0; // VmRSS
    long long heapBytes = 0; // bytes handed out by the allocator and not given back
};
Memory readMemory();
// Whether this build runs under AddressSanitizer, whose quarantine keeps freed memory resident.
bool underAddressSanitizer();

} // namespace blokko::stress

// The windows show what the engine shows and the QTimers follow its timers; checked after every event.
#define CHECK_VIEW(rig)                                                                                                \
    do {                                                                                                               \
        const QString timers_ = (rig).timerMirrorDifference();                                                         \
        QVERIFY2(timers_.isEmpty(), qPrintable(timers_));                                                              \
        const QString shown_ = (rig).visibilityDifference();                                                           \
        QVERIFY2(shown_.isEmpty(), qPrintable(shown_));                                                                \
    } while (false)

// The same, and the desktop program's engine agrees with the twin (for events the test delivers itself).
#define CHECK_RIG(rig)                                                                                                 \
    do {                                                                                                               \
        const QString twin_ = (rig).twinDifference();                                                                  \
        QVERIFY2(twin_.isEmpty(), qPrintable(twin_));                                                                  \
        CHECK_VIEW(rig);                                                                                               \
    } while (false)
