#pragma once
// The desktop program driven as the player and the clock drive it, and what must hold between its
// widgets, its QTimers and its engine after every event. Shared by the desktop tests, the stress suite
// and the benchmarks.

#include <QList>
#include <QString>
#include <QTest>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "desktop/desktop_app.h"
#include "engine/program/program.h"
#include "engine/rules/random.h"

class QWidget;

namespace blokko::test {

class DesktopSession {
public:
    // The desktop program, started, drawing its pieces from `random`.
    explicit DesktopSession(std::unique_ptr<RandomSource> random);
    // The same with queued draws: `pieces`, then `more` of `filler`.
    explicit DesktopSession(std::initializer_list<int> pieces = {}, int more = 0, int filler = 1);
    virtual ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    view::DesktopApp& app() { return *app_; }
    const view::DesktopApp& app() const { return *app_; }
    const Program& program() const { return app_->program(); }
    const Form1& form1() const { return app_->program().form1; }
    const Form1Controls& controls() const { return app_->program().form1.controls(); }

    // Ends the desktop program as the end of main() would.
    void endProgram() { app_.reset(); }

    // The player's events, through the real widgets.
    virtual void chooseAndGo(int difficulty);
    virtual void clickPause();
    virtual void clickGameOver();
    // One tick of an engine timer, only while its QTimer runs (as the clock would deliver it).
    virtual bool tick(TimerId id);

    // Ticks until `done` holds or the timer stops; false when `done` does not hold in the end.
    bool tickUntil(TimerId id, const std::function<bool()>& done, int limit);
    // Ticks until the timer stops; false when it still runs after `limit` ticks.
    bool tickUntilStopped(TimerId id, int limit);
    // The curtain opened and the parade over; false when play did not begin.
    bool finishIntro();
    // "GO!" at `difficulty`, the curtain and the parade: the first piece is falling.
    bool startPlaying(int difficulty);

private:
    std::unique_ptr<view::DesktopApp> app_;
};

// A key press and its release sent to `target`, as the keyboard sends them (a held key repeats both).
void pressKey(QWidget* target, int qtKey, bool autoRepeat = false);

// Every game window widget that may hold the keyboard focus: the window and each of its children.
QList<QWidget*> keyTargets(QWidget* gameWindow);

// The engine's whole state as text (both windows, variables, cells, controls).
std::string stateOf(const Program& program);

// --- Checks; each returns an empty text when all is well, else what differs ---
// Each QTimer runs exactly when its engine timer ticks, at the engine's interval.
QString timerMirrorDifference(const view::DesktopApp& app);
// Each shown window is shown by the engine and the other way round.
QString visibilityDifference(const view::DesktopApp& app);

// Runs the event loop, real timers included, until `done` holds or `milliseconds` have passed;
// returns whether `done` held.
bool runEventsUntil(const std::function<bool()>& done, int milliseconds);

// Deletes what deleteLater left, then lets any other posted event through.
void settle();

} // namespace blokko::test

// The windows show what the engine shows and the QTimers follow its timers; checked after events.
#define CHECK_VIEW(session)                                                                                            \
    do {                                                                                                               \
        const QString timers_ = ::blokko::test::timerMirrorDifference((session).app());                                \
        QVERIFY2(timers_.isEmpty(), qPrintable(timers_));                                                              \
        const QString shown_ = ::blokko::test::visibilityDifference((session).app());                                  \
        QVERIFY2(shown_.isEmpty(), qPrintable(shown_));                                                                \
    } while (false)
